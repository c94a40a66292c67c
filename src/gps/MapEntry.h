#pragma once

#include <QtGlobal>

// One camera of the last check as the radar map draws it.
struct MapEntry {
    double DistanceKm = 0.0;    // from the fix
    double BearingOffset = 0.0; // camera bearing - ComputedCourse, degrees, not normalised
    qint32 SpeedLimit = 0;
};
