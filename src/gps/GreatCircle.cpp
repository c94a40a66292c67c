#include "gps/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

GreatCircle::Point GreatCircle::point(double latRadians, double lonRadiansWest)
{
    return {latRadians, lonRadiansWest, std::sin(latRadians), std::cos(latRadians)};
}

GreatCircle::Point GreatCircle::fromFix(const NavFix &fix)
{
    const double lat = (fix.LatDegrees * 60.0 + fix.LatMinutes) * RadiansPerMinute;
    const double lon = -(fix.LonDegrees * 60.0 + fix.LonMinutes) * RadiansPerMinute;
    return point(lat, lon);
}

namespace {
double minutesOfArc(double degrees)
{
    const double whole = std::trunc(degrees);
    return whole * 60.0 + (degrees - whole) * 60.0;
}
} // namespace

GreatCircle::Point GreatCircle::fromDecimal(double latitude, double longitude)
{
    return point(minutesOfArc(latitude) * RadiansPerMinute,
                 -minutesOfArc(longitude) * RadiansPerMinute);
}

double GreatCircle::centralAngle(const Point &a, const Point &b)
{
    const double c = a.sinLat * b.sinLat + a.cosLat * b.cosLat * std::cos(a.lon - b.lon);
    return std::acos(std::clamp(c, -1.0, 1.0));
}

double GreatCircle::distanceKm(double centralAngle)
{
    return centralAngle * NauticalMilesPerRadian * KmPerNauticalMile;
}

double GreatCircle::courseDegrees(const Point &a, const Point &b, double d)
{
    const double divisor = std::sin(d) * a.cosLat;
    if (divisor == 0.0)
        return 0.0;
    const double c = (b.sinLat - a.sinLat * std::cos(d)) / divisor;
    if (!std::isfinite(c))
        return 0.0;
    const double t = std::acos(std::clamp(c, -1.0, 1.0));
    const double course = std::sin(b.lon - a.lon) >= 0.0 ? 2.0 * std::numbers::pi - t : t;
    const double degrees = course * DegreesPerRadian;
    return degrees >= 360.0 ? 0.0 : degrees;
}
