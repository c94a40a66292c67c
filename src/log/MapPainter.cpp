#include "log/MapPainter.h"

#include "log/LabelPlacer.h"
#include "log/LabelSprites.h"
#include "log/MapStyle.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <unordered_set>

namespace {

// Points closer than this on screen are drawn as one.
constexpr double MinStepPixels = 1.5;
// Enough room around the view for the widest road's edge.
constexpr double MarginPixels = 16.0;
// Names beyond this many only crowd the view (and cost time).
constexpr int MaxLabels = 40;
// The square kept free of names around the middle, pixels.
constexpr double CarRoom = 36.0;
// From this scale on roads are narrow and many: their ends are drawn square, which costs
// half the time of round ends, and the difference is below a pixel.
constexpr double SquareEndsFrom = 4.0; // metres per pixel

QFont labelFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

MapPainter::MapPainter(const MapData &data, const MapViewport &view, LabelSprites &sprites)
    : m_data(data), m_view(view), m_sprites(sprites), m_box(view.visibleBox(MarginPixels)),
      m_metresPerPixel(view.metresPerPixel())
{
}

void MapPainter::paint(QPainter &painter)
{
    const QRectF area(QPointF(0, 0), QSizeF(m_view.size()));
    painter.fillRect(area, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, true);
    m_drawnPieces = 0;
    m_drawnLines = 0;
    for (int c = int(RoadClass::Service); c >= 0; --c)
        drawRoads(painter, RoadClass(c));
    LabelPlacer labels(painter, area, m_sprites);
    // The car's marker sits in the middle; no name covers it.
    labels.reserve(QRectF(area.center() - QPointF(CarRoom, CarRoom) / 2, QSizeF(CarRoom, CarRoom)));
    namePlaces(labels);
    nameRoads(labels);
}

void MapPainter::drawRoads(QPainter &painter, RoadClass roadClass)
{
    RoadChains &chains = m_chains[std::size_t(roadClass)];
    if (m_metresPerPixel > MapStyle::roadShownUpTo(roadClass)) {
        chains.join(m_data, {});
        return;
    }
    const bool round = m_metresPerPixel < SquareEndsFrom;
    painter.setPen(QPen(MapStyle::roadColour(roadClass),
                        MapStyle::roadWidth(roadClass, m_metresPerPixel), Qt::SolidLine,
                        round ? Qt::RoundCap : Qt::FlatCap, round ? Qt::RoundJoin : Qt::BevelJoin));
    collectRuns(roadClass);
    chains.join(m_data, m_runs);
    for (const RoadChains::Chain &chain : chains.chains()) {
        project(chains, chain);
        painter.drawPolyline(m_line.data(), int(m_line.size()));
    }
    m_drawnLines += int(chains.chains().size());
}

void MapPainter::collectRuns(RoadClass roadClass)
{
    m_runs.clear();
    m_data.forPiecesIn(roadClass, m_box,
                       [&](const MapData::Piece &piece) { m_runs.push_back(piece); });
    m_drawnPieces += int(m_runs.size());
    // In point order a road's pieces follow each other; the ones that share an end join.
    std::sort(m_runs.begin(), m_runs.end(),
              [](const MapData::Piece &a, const MapData::Piece &b) { return a.first < b.first; });
    std::size_t kept = 0;
    for (const MapData::Piece &next : m_runs) {
        if (kept > 0) {
            MapData::Piece &last = m_runs[kept - 1];
            if (last.road == next.road && last.first + last.count - 1 == next.first) {
                last.count += next.count - 1;
                continue;
            }
        }
        m_runs[kept++] = next;
    }
    m_runs.resize(kept);
}

void MapPainter::project(const RoadChains &chains, const RoadChains::Chain &chain)
{
    chains.pointsOf(m_data, chain, m_points);
    m_line.clear();
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const QPointF p = m_view.toScreen(m_points[i]);
        const bool last = i + 1 == m_points.size();
        if (!m_line.empty() && !last && (p - m_line.back()).manhattanLength() < MinStepPixels)
            continue;
        m_line.push_back(p);
    }
}

void MapPainter::namePlaces(LabelPlacer &labels)
{
    // Larger places first: they win where names would overlap.
    std::vector<const MapData::Place *> shown;
    m_data.forPlacesIn(m_box, [&](const MapData::Place &place) {
        if (m_metresPerPixel <= MapStyle::placeShownUpTo(place.kind))
            shown.push_back(&place);
    });
    std::stable_sort(shown.begin(), shown.end(), [](const auto *a, const auto *b) {
        return a->kind < b->kind || (a->kind == b->kind && a->name < b->name);
    });
    for (const MapData::Place *place : shown) {
        if (labels.count() >= MaxLabels)
            return;
        labels.placeAt(m_data.name(place->name), m_view.toScreen(place->at),
                       labelFont(MapStyle::placeFontPixels(place->kind)),
                       MapStyle::placeNameColour());
    }
}

void MapPainter::nameRoads(LabelPlacer &labels)
{
    const QFont font = labelFont(MapStyle::RoadFontPixels);
    std::unordered_set<std::uint32_t> done; // each name once
    std::vector<const RoadChains::Chain *> named;
    for (std::size_t c = 0; c < ClassCount; ++c) {
        if (m_metresPerPixel > MapStyle::roadNamedUpTo(RoadClass(c)))
            continue;
        // The longest lines of a class first: they have the most room.
        named.clear();
        for (const RoadChains::Chain &chain : m_chains[c].chains())
            if (chain.name != MapData::NoName)
                named.push_back(&chain);
        std::stable_sort(named.begin(), named.end(), [](const auto *a, const auto *b) {
            return a->pointCount > b->pointCount;
        });
        for (const RoadChains::Chain *chain : named) {
            if (labels.count() >= MaxLabels)
                return;
            if (done.contains(chain->name))
                continue;
            project(m_chains[c], *chain);
            if (labels.placeAlong(m_data.name(chain->name), m_line, font,
                                  MapStyle::roadNameColour()))
                done.insert(chain->name);
        }
    }
}
