#include "log/MapPainter.h"

#include "log/LabelPlacer.h"
#include "log/LabelSprites.h"
#include "log/MapStyle.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <QSet>

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

MapPainter::MapPainter(const MapData &data, const MapViewport &view, LabelSprites &sprites,
                       const MapPalette &palette)
    : m_data(data), m_view(view), m_sprites(sprites), m_palette(palette),
      m_box(view.visibleBox(MarginPixels)), m_metresPerPixel(view.metresPerPixel())
{
}

void MapPainter::paint(QPainter &painter)
{
    const QRectF area(QPointF(0, 0), QSizeF(m_view.size()));
    painter.fillRect(area, m_palette.land);
    painter.setRenderHint(QPainter::Antialiasing, true);
    m_drawnPieces = 0;
    m_drawnLines = 0;
    for (const AreaKind kind :
         {AreaKind::Sea, AreaKind::BuiltUp, AreaKind::Green, AreaKind::Water, AreaKind::Building})
        drawAreas(painter, kind);
    drawRoads(painter, RoadClass::Waterway, RoadLevel::Surface);
    for (int c = int(LastCarRoad); c >= 0; --c)
        drawRoads(painter, RoadClass(c), RoadLevel::Tunnel);
    drawRoads(painter, RoadClass::Railway, RoadLevel::Surface);
    // The edges of all roads first, then the roads: where roads meet, no edge crosses.
    for (int c = int(LastCarRoad); c >= 0; --c)
        prepareRoads(RoadClass(c), RoadLevel::Surface);
    for (int c = int(LastCarRoad); c >= 0; --c)
        drawCasing(painter, RoadClass(c));
    for (int c = int(LastCarRoad); c >= 0; --c)
        strokeRoads(painter, RoadClass(c), RoadLevel::Surface);
    drawRoads(painter, RoadClass::Railway, RoadLevel::Bridge);
    for (int c = int(LastCarRoad); c >= 0; --c)
        drawRoads(painter, RoadClass(c), RoadLevel::Bridge);
    LabelPlacer labels(painter, area, m_sprites, m_palette.nameHalo);
    // The car's marker sits in the middle and the street bar along the foot; no name
    // covers them.
    labels.reserve(QRectF(area.center() - QPointF(CarRoom, CarRoom) / 2, QSizeF(CarRoom, CarRoom)));
    labels.reserve(QRectF(0.0, area.bottom() - MapStyle::StreetBarPixels, area.width(),
                          MapStyle::StreetBarPixels));
    namePlaces(labels);
    nameRoads(labels);
}

void MapPainter::drawAreas(QPainter &painter, AreaKind kind)
{
    if (m_metresPerPixel > MapStyle::areaShownUpTo(kind))
        return;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    QPolygonF polygon;
    m_data.forAreasIn(kind, m_box, [&](const MapData::Area &area) {
        for (const MapData::Ring &ring : m_data.ringsOf(area)) {
            polygon.clear();
            for (const GeoPoint &point : m_data.pointsOf(ring)) {
                const QPointF p = m_view.toScreen(point);
                if (polygon.isEmpty() || (p - polygon.back()).manhattanLength() >= MinStepPixels)
                    polygon.append(p);
            }
            if (polygon.size() >= 3)
                path.addPolygon(polygon);
        }
    });
    if (path.isEmpty())
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_palette.area(kind));
    painter.drawPath(path);
    painter.setBrush(Qt::NoBrush);
}

void MapPainter::drawRoads(QPainter &painter, RoadClass roadClass, RoadLevel level)
{
    prepareRoads(roadClass, level);
    strokeRoads(painter, roadClass, level);
}

RoadChains &MapPainter::chainsOf(RoadClass roadClass, RoadLevel level)
{
    return level == RoadLevel::Surface ? m_chains[std::size_t(roadClass)] : m_otherChains;
}

void MapPainter::prepareRoads(RoadClass roadClass, RoadLevel level)
{
    RoadChains &chains = chainsOf(roadClass, level);
    if (m_metresPerPixel > MapStyle::roadShownUpTo(roadClass)) {
        chains.join(m_data, {});
        return;
    }
    collectRuns(roadClass, level);
    chains.join(m_data, m_runs);
}

QPen MapPainter::roadPen(RoadClass roadClass) const
{
    const bool round = m_metresPerPixel < SquareEndsFrom;
    return QPen(m_palette.road(roadClass), MapStyle::roadWidth(roadClass, m_metresPerPixel),
                Qt::SolidLine, round ? Qt::RoundCap : Qt::FlatCap,
                round ? Qt::RoundJoin : Qt::BevelJoin);
}

void MapPainter::drawCasing(QPainter &painter, RoadClass roadClass)
{
    const RoadChains &chains = chainsOf(roadClass, RoadLevel::Surface);
    if (m_palette.roadCasing.alpha() == 0 || chains.chains().empty())
        return;
    QPen casing = roadPen(roadClass);
    casing.setColor(m_palette.roadCasing);
    casing.setWidthF(casing.widthF() + MapStyle::CasingPixels);
    painter.setPen(casing);
    drawChains(painter, chains);
}

void MapPainter::strokeRoads(QPainter &painter, RoadClass roadClass, RoadLevel level)
{
    const RoadChains &chains = chainsOf(roadClass, level);
    if (chains.chains().empty())
        return;
    QPen pen = roadPen(roadClass);
    if (level == RoadLevel::Tunnel) {
        QColor faded = pen.color();
        faded.setAlphaF(float(MapStyle::TunnelOpacity));
        pen.setColor(faded);
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({2.0, 1.0});
    } else if (level == RoadLevel::Bridge) {
        QPen casing = pen;
        casing.setColor(m_palette.bridgeCasing);
        casing.setWidthF(pen.widthF() + 4.0);
        casing.setCapStyle(Qt::FlatCap);
        painter.setPen(casing);
        drawChains(painter, chains);
    }
    painter.setPen(pen);
    drawChains(painter, chains);
    m_drawnLines += int(chains.chains().size());
}

void MapPainter::drawChains(QPainter &painter, const RoadChains &chains)
{
    for (const RoadChains::Chain &chain : chains.chains()) {
        project(chains, chain);
        painter.drawPolyline(m_line.data(), int(m_line.size()));
    }
}

void MapPainter::collectRuns(RoadClass roadClass, RoadLevel level)
{
    m_runs.clear();
    m_data.forPiecesIn(roadClass, m_box, [&](const MapData::Piece &piece) {
        if (m_data.roads()[piece.road].level == level)
            m_runs.push_back(piece);
    });
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
                       labelFont(MapStyle::placeFontPixels(place->kind)), m_palette.placeNames);
    }
}

void MapPainter::nameRoads(LabelPlacer &labels)
{
    const QFont font = labelFont(MapStyle::RoadFontPixels);
    QSet<QString> done; // each name once
    std::vector<const RoadChains::Chain *> named;
    for (std::size_t c = 0; c <= std::size_t(LastCarRoad); ++c) {
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
            const QString text = roadLabel(*chain);
            if (done.contains(text))
                continue;
            project(m_chains[c], *chain);
            if (labels.placeAlong(text, m_line, font, m_palette.roadNames))
                done.insert(text);
        }
    }
}

QString MapPainter::roadLabel(const RoadChains::Chain &chain) const
{
    // A wide view has no room for long names: the major roads go by their number.
    const std::uint32_t ref = m_data.roads()[chain.road].ref;
    if (ref != MapData::NoName && m_metresPerPixel > MapStyle::NumbersFrom)
        return m_data.name(ref);
    return m_data.name(chain.name);
}
