#pragma once

#include <QtGlobal>

// One speed camera of radar.bin: its position in decimal degrees (north and east
// positive) and its speed limit in km/h.
struct CameraRecord {
    double Latitude = 0.0;
    double Longitude = 0.0;
    qint32 SpeedLimit = 0;

    bool operator==(const CameraRecord &) const = default;
};
