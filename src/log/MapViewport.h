#pragma once

#include "log/GeoBox.h"
#include "log/GeoPoint.h"
#include "log/LocalFrame.h"

#include <QPointF>
#include <QSize>

// What part of the world the map view shows: a centre, an altitude and the view's size.
// Altitude 1.0 shows a few streets (BaseMetresPerPixel); each doubling shows twice the
// distance. North is up.
class MapViewport {
public:
    static constexpr double BaseMetresPerPixel = 0.6;
    // The widest view: about the earth's circumference across a view.
    static constexpr double MaxMetresPerPixel = 40'000'000.0 / 800.0;
    // Panning stops short of the poles, where a flat map means nothing.
    static constexpr double MaxLatitude = 85.0;

    MapViewport(double latitude, double longitude, double altitude, QSize size);

    static bool isPosition(double latitude, double longitude);
    static bool isAltitude(double altitude);

    double latitude() const { return m_latitude; }
    double longitude() const { return m_longitude; }
    double altitude() const { return m_altitude; }
    QSize size() const { return m_size; }
    double metresPerPixel() const;

    // A new view of the same size; false (and no change) for values that aren't valid.
    bool centre(double latitude, double longitude, double altitude);
    bool setAltitude(double altitude);
    // Half the view's height (8 north, 2 south) or width (4 west, 6 east) times amount.
    bool pan(int directionCode, double amount);
    void setSize(QSize size) { m_size = size; }

    QPointF toScreen(GeoPoint point) const;
    QPointF toScreen(double latitude, double longitude) const;
    // The latitudes and longitudes the view shows, with a margin of pixels around.
    GeoBox visibleBox(double marginPixels = 0.0) const;

private:
    double m_latitude;
    double m_longitude;
    double m_altitude;
    QSize m_size;
    LocalFrame m_frame;
};
