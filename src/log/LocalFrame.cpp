#include "log/LocalFrame.h"

#include <algorithm>
#include <numbers>

namespace {

// Keeps east-west distances finite near the poles.
constexpr double MinCosine = 0.01;

} // namespace

LocalFrame::LocalFrame(double latitude, double longitude)
    : m_latitude(latitude), m_longitude(longitude),
      m_metresPerLonDegree(MetresPerDegree *
                           std::max(MinCosine, std::cos(latitude * std::numbers::pi / 180.0)))
{
}

QPointF LocalFrame::toMetres(double latitude, double longitude) const
{
    return {(longitude - m_longitude) * m_metresPerLonDegree,
            (latitude - m_latitude) * MetresPerDegree};
}

GeoBox LocalFrame::around(double metres) const
{
    const double dLat = metres / MetresPerDegree;
    const double dLon = metres / m_metresPerLonDegree;
    return {m_latitude - dLat, m_longitude - dLon, m_latitude + dLat, m_longitude + dLon};
}

double LocalFrame::distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = 0.0;
    if (length2 > 0.0)
        t = std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0);
    const QPointF nearest = a + ab * t;
    const QPointF d = p - nearest;
    return std::sqrt(QPointF::dotProduct(d, d));
}
