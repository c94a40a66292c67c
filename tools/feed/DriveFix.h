#pragma once

#include "GeoPoint.h"

#include <QDateTime>

// One second of a generated drive: what a receiver reports in its GGA and RMC sentences.
struct DriveFix {
    QDateTime utc;
    GeoPoint position;
    double speedKnots = 0;
    double courseDegrees = 0;
    double altitudeMetres = 153.8;
    int satellites = 8;
};
