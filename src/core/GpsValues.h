#pragma once

#include <QString>

// One GPS position as degrees and minutes; both carry the same sign, north and east
// positive. LatDegrees 0 counts as "no fix" for the course and distance step.
struct NavFix {
    qint32 LatDegrees = 0;
    qint32 LonDegrees = 0;
    double LatMinutes = 0.0;
    double LonMinutes = 0.0;

    bool operator==(const NavFix &) const = default;
};

// The GPS state that the camera warning, the radar map, the drivers log and the map view
// read. Written only by the NMEA reception on the UI thread.
struct GpsValues {
    NavFix CurrentFix;
    NavFix PreviousFix;
    double DecimalLatitude = 0.0;  // degrees, north positive
    double DecimalLongitude = 0.0; // degrees, east positive
    double ComputedCourse = 0.0;   // degrees 0 <= c < 360, 0 = north, clockwise
    bool Stationary = false;       // the last two fixes were identical
};
