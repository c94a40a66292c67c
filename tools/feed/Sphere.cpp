#include "Sphere.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Radians = std::numbers::pi / 180.0;

// Central angle by the haversine formula, which stays exact for short steps.
double centralAngle(GeoPoint a, GeoPoint b)
{
    const double dLat = (b.latitude - a.latitude) * Radians;
    const double dLon = (b.longitude - a.longitude) * Radians;
    const double h = std::pow(std::sin(dLat / 2), 2) + std::cos(a.latitude * Radians) *
                                                           std::cos(b.latitude * Radians) *
                                                           std::pow(std::sin(dLon / 2), 2);
    return 2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

} // namespace

double Sphere::distanceKm(GeoPoint a, GeoPoint b) { return centralAngle(a, b) * KmPerRadian; }

double Sphere::courseDegrees(GeoPoint from, GeoPoint to)
{
    const double lat1 = from.latitude * Radians;
    const double lat2 = to.latitude * Radians;
    const double dLon = (to.longitude - from.longitude) * Radians;
    const double y = std::sin(dLon) * std::cos(lat2);
    const double x =
        std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    const double course = std::atan2(y, x) / Radians;
    const double normal = std::fmod(course + 360.0, 360.0);
    return normal >= 360.0 ? 0.0 : normal;
}

GeoPoint Sphere::along(GeoPoint a, GeoPoint b, double fraction)
{
    const double d = centralAngle(a, b);
    if (d < 1e-15)
        return a;
    const double wa = std::sin((1 - fraction) * d) / std::sin(d);
    const double wb = std::sin(fraction * d) / std::sin(d);
    const double lat1 = a.latitude * Radians, lon1 = a.longitude * Radians;
    const double lat2 = b.latitude * Radians, lon2 = b.longitude * Radians;
    const double x = wa * std::cos(lat1) * std::cos(lon1) + wb * std::cos(lat2) * std::cos(lon2);
    const double y = wa * std::cos(lat1) * std::sin(lon1) + wb * std::cos(lat2) * std::sin(lon2);
    const double z = wa * std::sin(lat1) + wb * std::sin(lat2);
    return {std::atan2(z, std::hypot(x, y)) / Radians, std::atan2(y, x) / Radians};
}
