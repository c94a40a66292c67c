#include "gps/NavFormula.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// For real points both cosines lie within -1..1; a value outside is rounding (identical
// points, a course straight north or south, points a few metres apart), and taking the
// bound gives the true answer where failing would give 0 for a car heading south.
std::optional<double> arccos(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    return std::acos(std::clamp(x, -1.0, 1.0));
}

double minutesOfArc(double degrees)
{
    const double whole = std::trunc(degrees);
    return whole * 60.0 + (degrees - whole) * 60.0;
}

} // namespace

NavFormula::Angles NavFormula::Nav2Rad_Angle(const NavFix &fix)
{
    return {(double(fix.LatDegrees) * 60.0 + fix.LatMinutes) * RadiansPerMinute,
            -(double(fix.LonDegrees) * 60.0 + fix.LonMinutes) * RadiansPerMinute};
}

NavFix NavFormula::fromDecimal(double latitude, double longitude)
{
    const double latDegrees = std::trunc(latitude);
    const double lonDegrees = std::trunc(longitude);
    return {qint32(latDegrees), qint32(lonDegrees), (latitude - latDegrees) * 60.0,
            (longitude - lonDegrees) * 60.0};
}

NavFormula::Point NavFormula::point(Angles angles)
{
    return {angles.lat, angles.lon, std::sin(angles.lat), std::cos(angles.lat)};
}

NavFormula::Point NavFormula::pointOfFix(const NavFix &fix) { return point(Nav2Rad_Angle(fix)); }

NavFormula::Point NavFormula::pointOfDegrees(double latitude, double longitude)
{
    return point(
        {minutesOfArc(latitude) * RadiansPerMinute, -minutesOfArc(longitude) * RadiansPerMinute});
}

std::optional<double> NavFormula::centralAngle(Angles a, Angles b)
{
    return centralAngle(point(a), point(b));
}

std::optional<double> NavFormula::centralAngle(const Point &a, const Point &b)
{
    return arccos(a.sinLat * b.sinLat + a.cosLat * b.cosLat * std::cos(a.lon - b.lon));
}

double NavFormula::kilometres(double centralAngle)
{
    return centralAngle * NauticalMilesPerRadian * KmPerNauticalMile;
}

double NavFormula::courseDegrees(Angles from, Angles to)
{
    const Point a = point(from);
    const Point b = point(to);
    const std::optional<double> d = centralAngle(a, b);
    if (!d || *d == 0.0)
        return 0.0;
    return courseDegrees(a, b, *d);
}

double NavFormula::courseDegrees(const Point &from, const Point &to, double centralAngle)
{
    const double x =
        (to.sinLat - from.sinLat * std::cos(centralAngle)) / (std::sin(centralAngle) * from.cosLat);
    // A zero divisor (the same point, a pole) leaves no finite argument: no course.
    const std::optional<double> t = arccos(x);
    if (!t)
        return 0.0;
    const double course = std::sin(to.lon - from.lon) >= 0.0 ? 2.0 * std::numbers::pi - *t : *t;
    const double degrees = course * DegreesPerRadian;
    return degrees >= 360.0 ? degrees - 360.0 : degrees;
}
