#pragma once

#include "core/GpsValues.h"

// Values several subsystems read and write, owned by the window.
struct SharedValues {
    double TripKm = 0.0;        // odometer, kilometres (summed by GPS, stored by the settings)
    bool RadarSystemOn = false; // speed-camera warning switched on
    bool BusinessMode = false;  // drivers-log mode; private at every start
    bool MapAvailable = false;  // the map component was created
    int AlertReturnPage = 6;    // the screen the speed-camera alert returns to
    GpsValues gps;              // the fixes and the values derived from them
};
