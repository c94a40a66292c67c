#pragma once

#include "log/MapData.h"
#include "log/MapViewport.h"

#include <QPointF>

#include <cstdint>
#include <vector>

class LabelPlacer;
class QPainter;

// Draws the map of a viewport: black ground, the roads by class (smallest first, so the
// larger roads lie on top), the names of the places, then the road names that fit.
class MapPainter {
public:
    MapPainter(const MapData &data, const MapViewport &view);

    void paint(QPainter &painter);
    // Roads drawn by the last paint, for tests and the benchmark.
    int drawnPieces() const { return m_drawnPieces; }

private:
    void drawRoads(QPainter &painter, RoadClass roadClass);
    void project(std::span<const GeoPoint> points, std::vector<QPointF> &out) const;
    void namePlaces(LabelPlacer &labels);
    void nameRoads(LabelPlacer &labels);

    const MapData &m_data;
    const MapViewport &m_view;
    GeoBox m_box;
    double m_metresPerPixel;
    std::vector<QPointF> m_line;
    std::vector<std::uint32_t> m_namedRoads; // candidates for names, largest roads first
    int m_drawnPieces = 0;
};
