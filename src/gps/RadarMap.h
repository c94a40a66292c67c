#pragma once

#include "gps/MapEntry.h"

#include <QFont>
#include <QImage>
#include <QPoint>

#include <vector>

class QPainter;

// The radar map: the background picture with the car at its centre heading up, every
// camera of the last check as a dot at its distance and bearing, brackets and a text per
// camera below 5 km of scale, and the +-35 degree warning sector out to the warning
// distance. Composed in an off-screen bitmap that the paint box copies.
class RadarMap {
public:
    static constexpr QSize StandardSize{631, 278};
    static constexpr double LargestScaleKm = 20.0;
    static constexpr double TextScaleKm = 5.0; // brackets and texts below this scale
    static constexpr int SectorDegrees = 35;
    static const QColor TextBackground;

    explicit RadarMap(const QImage &background = QImage());

    // A picture too small to hold the map gives way to a black one of the standard size.
    void setBackground(const QImage &picture);
    // How much of its light the background keeps (less by night), the texts' ground a
    // little less; the dots and the sector keep their colours. Takes effect at the next
    // redraw.
    void setBackgroundLight(qreal light);
    const QImage &background() const { return m_background; }
    const QImage &bitmap() const { return m_bitmap; }

    // A scale of 0 (or any that isn't a positive number) is drawn as 1 km.
    static double usableScale(double scaleKm);

    // Redraws the bitmap from what it is given: the background alone while the warning
    // is off; else the entries of the check that ran just before (dots only when that
    // check rebuilt them) and the warning sector. MapScaleKm must be usable.
    const QImage &DrawRadarMap(double MapScaleKm, double WarningDistanceKm, bool RadarSystemOn,
                               bool rebuilt, const std::vector<MapEntry> &entries);

    static int markerHalfSize(double scaleKm);
    // To the nearest whole number, halves to even; held within +-1e6.
    static int roundHalfEven(double value);
    static QString entryText(const MapEntry &entry);

    double pxPerKm(double scaleKm) const;
    QPoint centre() const;
    QPoint position(const MapEntry &entry, double scaleKm) const;
    // Where an entry's text starts, relative to its point.
    static constexpr QPoint TextOffset{14, -14};
    // The distance within which a camera can leave a mark on the bitmap at this scale.
    double coverageKm(double scaleKm) const;
    // The distance the map entries must cover so that the bitmap at this scale, and at
    // any scale a later redraw without a new check may show, misses no camera.
    double listCoverageKm(double scaleKm) const;

private:
    void drawEntry(QPainter &p, const MapEntry &entry, int halfSize, double scaleKm);
    void drawSector(QPainter &p, double scaleKm, double warningKm, const QColor &colour);
    static bool drawable(const MapEntry &entry);
    double reachKm(double scaleKm, int reach) const;

    QImage m_picture; // the background as given, before its light
    qreal m_light = 1.0;
    QColor m_textBackground = TextBackground;
    QImage m_background;
    QImage m_bitmap;
    QFont m_textFont;
    int m_textReach = 0; // how far right of its point an entry's text can reach
};
