#pragma once

#include "gps/GpsValues.h"

// The navigation formulas on the sphere. Angles are radians with latitude north positive
// and longitude WEST positive, as the formulas expect.
class GreatCircle {
public:
    static constexpr double RadiansPerMinute = 0.0002908882086657216; // pi / 10800
    static constexpr double NauticalMilesPerRadian = 3437.7467707849392526;
    static constexpr double KmPerNauticalMile = 1.852;
    static constexpr double DegreesPerRadian = 57.29577951308232;

    // A position with the sine and cosine of its latitude worked out once.
    struct Point {
        double lat = 0.0;
        double lon = 0.0;
        double sinLat = 0.0;
        double cosLat = 1.0;
    };

    static Point point(double latRadians, double lonRadiansWest);
    // A fix of degrees and minutes.
    static Point fromFix(const NavFix &fix);
    // Decimal degrees, north and east positive: whole degrees and minutes are split off
    // first (both keeping the sign), so that a camera converts as a fix does.
    static Point fromDecimal(double latitude, double longitude);

    // The central angle. Rounding can carry the cosine a hair past 1 for two points at
    // (nearly) the same place; it is held to -1..1 so that such a point measures 0.
    static double centralAngle(const Point &a, const Point &b);
    // Kilometres along the great circle, the angle taken through nautical miles.
    static double distanceKm(double centralAngle);
    // Course from a to b in degrees, 0 <= course < 360, 0 north, clockwise; 0 when it is
    // undefined (the same point, a pole).
    static double courseDegrees(const Point &a, const Point &b, double centralAngle);
};
