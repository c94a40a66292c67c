#pragma once

#include "core/GpsValues.h"

#include <optional>

class Tgps_gga;

// Moves the car to the fix of a GGA sentence: current and previous fix, decimal
// position, standing still, course from the previous fix, and the distance added to
// the odometer.
class FixUpdate {
public:
    // Returns the step in km added to tripKm, or nothing when it could not be computed
    // (the odometer then stays). A first fix, or one after a fix with latitude degrees
    // 0, adds a step of 0 and keeps the course.
    static std::optional<double> apply(const Tgps_gga &gga, GpsValues &gps, double &tripKm);

    static NavFix fixOf(const Tgps_gga &gga);
};
