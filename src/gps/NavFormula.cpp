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

std::optional<double> NavFormula::centralAngle(Angles a, Angles b)
{
    return arccos(std::sin(a.lat) * std::sin(b.lat) +
                  std::cos(a.lat) * std::cos(b.lat) * std::cos(a.lon - b.lon));
}

double NavFormula::kilometres(double centralAngle)
{
    return centralAngle * NauticalMilesPerRadian * KmPerNauticalMile;
}

double NavFormula::courseDegrees(Angles from, Angles to)
{
    const std::optional<double> d = centralAngle(from, to);
    if (!d || *d == 0.0)
        return 0.0;
    const double x = (std::sin(to.lat) - std::sin(from.lat) * std::cos(*d)) /
                     (std::sin(*d) * std::cos(from.lat));
    const std::optional<double> t = arccos(x);
    if (!t)
        return 0.0;
    const double course = std::sin(to.lon - from.lon) >= 0.0 ? 2.0 * std::numbers::pi - *t : *t;
    const double degrees = course * DegreesPerRadian;
    return degrees >= 360.0 ? degrees - 360.0 : degrees;
}
