#include "log/MapPainter.h"

#include "log/LabelPlacer.h"
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

QFont labelFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

MapPainter::MapPainter(const MapData &data, const MapViewport &view)
    : m_data(data), m_view(view), m_box(view.visibleBox(MarginPixels)),
      m_metresPerPixel(view.metresPerPixel())
{
}

void MapPainter::paint(QPainter &painter)
{
    const QRectF area(QPointF(0, 0), QSizeF(m_view.size()));
    painter.fillRect(area, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing, true);
    m_drawnPieces = 0;
    m_namedRoads.clear();
    for (int c = int(RoadClass::Service); c >= 0; --c)
        drawRoads(painter, RoadClass(c));
    std::reverse(m_namedRoads.begin(), m_namedRoads.end());
    LabelPlacer labels(painter, area);
    namePlaces(labels);
    nameRoads(labels);
}

void MapPainter::drawRoads(QPainter &painter, RoadClass roadClass)
{
    if (m_metresPerPixel > MapStyle::roadShownUpTo(roadClass))
        return;
    const bool named = m_metresPerPixel <= MapStyle::roadNamedUpTo(roadClass);
    painter.setPen(QPen(MapStyle::roadColour(roadClass),
                        MapStyle::roadWidth(roadClass, m_metresPerPixel), Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    const std::size_t firstNamed = m_namedRoads.size();
    m_data.forPiecesIn(roadClass, m_box, [&](const MapData::Piece &piece) {
        project(m_data.pointsOf(piece), m_line);
        painter.drawPolyline(m_line.data(), int(m_line.size()));
        ++m_drawnPieces;
        if (named && m_data.roads()[piece.road].name != MapData::NoName)
            m_namedRoads.push_back(piece.road);
    });
    // Within a class, the roads in index order, each once.
    std::sort(m_namedRoads.begin() + std::ptrdiff_t(firstNamed), m_namedRoads.end(),
              std::greater<>());
    m_namedRoads.erase(
        std::unique(m_namedRoads.begin() + std::ptrdiff_t(firstNamed), m_namedRoads.end()),
        m_namedRoads.end());
}

void MapPainter::project(std::span<const GeoPoint> points, std::vector<QPointF> &out) const
{
    out.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = m_view.toScreen(points[i]);
        const bool last = i + 1 == points.size();
        if (!out.empty() && !last && (p - out.back()).manhattanLength() < MinStepPixels)
            continue;
        out.push_back(p);
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
    for (const std::uint32_t index : m_namedRoads) {
        if (labels.count() >= MaxLabels)
            return;
        const MapData::Road &road = m_data.roads()[index];
        if (done.contains(road.name))
            continue;
        project(m_data.pointsOf(road), m_line);
        if (labels.placeAlong(m_data.name(road.name), m_line, font, MapStyle::roadNameColour()))
            done.insert(road.name);
    }
}
