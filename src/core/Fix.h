#pragma once

#include <QString>

// One position of the car as a position source publishes it. A fix that is not valid
// carries the last valid position with what the receiver reports now (time, satellites,
// quality): the car is not known to be there any more.
struct Fix {
    QString time;           // UTC "hhmmss[.ss]" as the receiver sent it
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
    double altitude = 0.0;  // metres above sea level
    double speedKmh = 0.0;  // over ground
    double course = 0.0;    // degrees 0 <= c < 360, 0 = north, clockwise
    int satellites = 0;     // in use
    int quality = 0;        // 0 no fix, 1 GPS, 2 differential ...
    bool valid = false;

    bool operator==(const Fix &) const = default;
};
