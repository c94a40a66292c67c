#pragma once

#include <cmath>
#include <cstdint>

// A position as the map stores it: latitude and longitude in units of 1e-7 degrees (the
// precision of OpenStreetMap), eight bytes a point.
struct GeoPoint {
    static constexpr double Scale = 1e7;

    std::int32_t lat = 0;
    std::int32_t lon = 0;

    static GeoPoint fromDegrees(double latitude, double longitude)
    {
        return {std::int32_t(std::lround(latitude * Scale)),
                std::int32_t(std::lround(longitude * Scale))};
    }
    double latitude() const { return lat / Scale; }
    double longitude() const { return lon / Scale; }
    friend bool operator==(const GeoPoint &, const GeoPoint &) = default;
};
