#include "log/MapViewport.h"

#include <algorithm>
#include <cmath>

MapViewport::MapViewport(double latitude, double longitude, double altitude, QSize size)
    : m_latitude(latitude), m_longitude(longitude), m_altitude(altitude), m_size(size),
      m_frame(latitude, longitude)
{
}

bool MapViewport::isPosition(double latitude, double longitude)
{
    return std::isfinite(latitude) && std::isfinite(longitude) && std::abs(latitude) <= 90.0 &&
           std::abs(longitude) <= 180.0;
}

bool MapViewport::isAltitude(double altitude) { return std::isfinite(altitude) && altitude >= 1.0; }

double MapViewport::metresPerPixel() const
{
    return std::min(BaseMetresPerPixel * m_altitude, MaxMetresPerPixel);
}

bool MapViewport::centre(double latitude, double longitude, double altitude)
{
    if (!isPosition(latitude, longitude) || !isAltitude(altitude))
        return false;
    m_latitude = std::clamp(latitude, -MaxLatitude, MaxLatitude);
    m_longitude = longitude;
    m_altitude = altitude;
    m_frame = LocalFrame(m_latitude, m_longitude);
    return true;
}

bool MapViewport::setAltitude(double altitude) { return centre(m_latitude, m_longitude, altitude); }

bool MapViewport::pan(int directionCode, double amount)
{
    if (!std::isfinite(amount))
        return false;
    const double halfHeight = m_size.height() / 2.0 * metresPerPixel() * amount;
    const double halfWidth = m_size.width() / 2.0 * metresPerPixel() * amount;
    QPointF metres;
    switch (directionCode) {
    case 8:
        metres = {0.0, halfHeight};
        break;
    case 2:
        metres = {0.0, -halfHeight};
        break;
    case 4:
        metres = {-halfWidth, 0.0};
        break;
    case 6:
        metres = {halfWidth, 0.0};
        break;
    default:
        return false;
    }
    const GeoBox reach = m_frame.around(1.0);
    const double latitude = m_latitude + metres.y() * (reach.north - m_latitude);
    double longitude = m_longitude + metres.x() * (reach.east - m_longitude);
    // Round the world rather than off it.
    longitude = std::remainder(longitude, 360.0);
    return centre(std::clamp(latitude, -MaxLatitude, MaxLatitude), longitude, m_altitude);
}

QPointF MapViewport::toScreen(GeoPoint point) const
{
    return toScreen(point.latitude(), point.longitude());
}

QPointF MapViewport::toScreen(double latitude, double longitude) const
{
    const QPointF metres = m_frame.toMetres(latitude, longitude);
    const double scale = metresPerPixel();
    return {m_size.width() / 2.0 + metres.x() / scale, m_size.height() / 2.0 - metres.y() / scale};
}

GeoBox MapViewport::visibleBox(double marginPixels) const
{
    const double scale = metresPerPixel();
    const double halfWidth = (m_size.width() / 2.0 + marginPixels) * scale;
    const double halfHeight = (m_size.height() / 2.0 + marginPixels) * scale;
    const GeoBox wide = m_frame.around(halfWidth);
    const GeoBox tall = m_frame.around(halfHeight);
    return {std::max(-90.0, tall.south), std::max(-180.0, wide.west), std::min(90.0, tall.north),
            std::min(180.0, wide.east)};
}
