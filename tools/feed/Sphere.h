#pragma once

#include "GeoPoint.h"

// Great-circle geometry on the sphere the receiving program measures with: one minute of
// arc is one nautical mile, so the distances of a generated drive add up to what its
// odometer counts.
class Sphere {
public:
    static constexpr double KmPerRadian = 3437.7467707849392526 * 1.852;

    static double distanceKm(GeoPoint a, GeoPoint b);
    // Initial course from a to b, degrees 0 <= c < 360, 0 = north, clockwise.
    static double courseDegrees(GeoPoint from, GeoPoint to);
    // The point a given fraction of the way from a to b along the great circle.
    static GeoPoint along(GeoPoint a, GeoPoint b, double fraction);
};
