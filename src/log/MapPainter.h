#pragma once

#include "log/MapData.h"
#include "log/MapViewport.h"
#include "log/RoadChains.h"

#include <QPointF>

#include <array>
#include <cstdint>
#include <vector>

class LabelPlacer;
class LabelSprites;
class QPainter;

// Draws the map of a viewport: black ground, the roads by class (smallest first, so the
// larger roads lie on top), the names of the places, then the road names that fit.
class MapPainter {
public:
    MapPainter(const MapData &data, const MapViewport &view, LabelSprites &sprites);

    void paint(QPainter &painter);
    // Pieces of road drawn by the last paint, for tests and the benchmark.
    int drawnPieces() const { return m_drawnPieces; }
    // Lines drawn: the parts of a street that meet go as one.
    int drawnLines() const { return m_drawnLines; }

private:
    static constexpr std::size_t ClassCount = std::size_t(RoadClass::Service) + 1;

    void drawRoads(QPainter &painter, RoadClass roadClass);
    void collectRuns(RoadClass roadClass);
    void project(const RoadChains &chains, const RoadChains::Chain &chain);
    void namePlaces(LabelPlacer &labels);
    void nameRoads(LabelPlacer &labels);

    const MapData &m_data;
    const MapViewport &m_view;
    LabelSprites &m_sprites;
    GeoBox m_box;
    double m_metresPerPixel;
    std::vector<MapData::Piece> m_runs; // the visible pieces, joined where they follow
    std::array<RoadChains, ClassCount> m_chains;
    std::vector<GeoPoint> m_points;
    std::vector<QPointF> m_line;
    int m_drawnPieces = 0;
    int m_drawnLines = 0;
};
