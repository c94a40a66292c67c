#pragma once

#include "log/GeoBox.h"
#include "log/GeoPoint.h"

#include <QPointF>

// Flat metres around a reference point: x east, y north. Exact enough for the distances a
// map view and a street look-up deal with (a few kilometres; the error of the flat
// projection stays below one percent up to a few hundred kilometres).
class LocalFrame {
public:
    static constexpr double MetresPerDegree = 111319.49;

    LocalFrame(double latitude, double longitude);

    QPointF toMetres(double latitude, double longitude) const;
    QPointF toMetres(GeoPoint point) const { return toMetres(point.latitude(), point.longitude()); }
    // The latitudes and longitudes within a distance of the reference point.
    GeoBox around(double metres) const;
    // The distance from p to the segment a..b, all in metres of this frame.
    static double distanceToSegment(QPointF p, QPointF a, QPointF b);

private:
    double m_latitude;
    double m_longitude;
    double m_metresPerLonDegree;
};
