#pragma once

#include "log/MapData.h"
#include "log/MapPalette.h"
#include "log/MapViewport.h"
#include "log/RoadChains.h"

#include <QPen>
#include <QPointF>

#include <array>
#include <cstdint>
#include <vector>

class LabelPlacer;
class LabelSprites;
class QPainter;

// Draws the map of a viewport: the ground, the areas (sea, built-up land, green, water,
// buildings up close), rivers and railways, the roads by class (tunnels faded under them,
// edged, smallest first so that the larger roads lie on top, bridges cased over them), the names
// of the places, then the road names that fit.
class MapPainter {
public:
    MapPainter(const MapData &data, const MapViewport &view, LabelSprites &sprites,
               const MapPalette &palette = MapPalette::day());

    void paint(QPainter &painter);
    // Pieces of road drawn by the last paint, for tests and the benchmark.
    int drawnPieces() const { return m_drawnPieces; }
    // Lines drawn: the parts of a street that meet go as one.
    int drawnLines() const { return m_drawnLines; }

private:
    static constexpr std::size_t ClassCount = RoadClassCount;

    void drawAreas(QPainter &painter, AreaKind kind);
    void drawRoads(QPainter &painter, RoadClass roadClass, RoadLevel level);
    void prepareRoads(RoadClass roadClass, RoadLevel level);
    void drawCasing(QPainter &painter, RoadClass roadClass);
    void strokeRoads(QPainter &painter, RoadClass roadClass, RoadLevel level);
    RoadChains &chainsOf(RoadClass roadClass, RoadLevel level);
    QPen roadPen(RoadClass roadClass) const;
    void drawChains(QPainter &painter, const RoadChains &chains);
    void collectRuns(RoadClass roadClass, RoadLevel level);
    void project(const RoadChains &chains, const RoadChains::Chain &chain);
    void namePlaces(LabelPlacer &labels);
    void nameRoads(LabelPlacer &labels);
    QString roadLabel(const RoadChains::Chain &chain) const;

    const MapData &m_data;
    const MapViewport &m_view;
    LabelSprites &m_sprites;
    MapPalette m_palette;
    GeoBox m_box;
    double m_metresPerPixel;
    std::vector<MapData::Piece> m_runs;          // the visible pieces, joined where they follow
    std::array<RoadChains, ClassCount> m_chains; // on the ground: these are named
    RoadChains m_otherChains;                    // tunnels and bridges
    std::vector<GeoPoint> m_points;
    std::vector<QPointF> m_line;
    int m_drawnPieces = 0;
    int m_drawnLines = 0;
};
