#pragma once

#include "core/GpsValues.h"

#include <optional>

// The spherical formulas of the position display and the camera check. Angles are
// radians with latitude north positive and longitude WEST positive.
class NavFormula {
public:
    static constexpr double RadiansPerMinute = 0.0002908882086657216; // pi / 10800
    static constexpr double NauticalMilesPerRadian = 3437.7467707849392526;
    static constexpr double KmPerNauticalMile = 1.852;
    static constexpr double KmPerRadian = NauticalMilesPerRadian * KmPerNauticalMile;
    static constexpr double DegreesPerRadian = 57.29577951308232;

    struct Angles {
        double lat = 0.0;
        double lon = 0.0;
    };

    // A position with the sine and cosine of its latitude worked out once: the camera
    // check measures one fix against many cameras.
    struct Point {
        double lat = 0.0;
        double lon = 0.0;
        double sinLat = 0.0;
        double cosLat = 1.0;
    };

    static Angles Nav2Rad_Angle(const NavFix &fix);
    // Degrees and minutes of a decimal position, both keeping the value's sign.
    static NavFix fromDecimal(double latitude, double longitude);

    static Point point(Angles angles);
    static Point pointOfFix(const NavFix &fix);
    // Decimal degrees, north and east positive, converted as a fix is (whole degrees and
    // minutes split off first, both keeping the sign) but without whole degrees as
    // integers, so that any finite value from a file converts.
    static Point pointOfDegrees(double latitude, double longitude);

    // arccos(sin lat1 sin lat2 + cos lat1 cos lat2 cos(lon1 - lon2)). Rounding that puts
    // the cosine outside -1..1 counts as the bound; nothing for non-finite input.
    static std::optional<double> centralAngle(Angles a, Angles b);
    static std::optional<double> centralAngle(const Point &a, const Point &b);
    static double kilometres(double centralAngle);
    // Course from a to b in degrees, 0 <= c < 360, 0 = north, clockwise; 0 when it can't
    // be computed (identical points, a pole).
    static double courseDegrees(Angles from, Angles to);
    // The same with their central angle already measured.
    static double courseDegrees(const Point &from, const Point &to, double centralAngle);
};
