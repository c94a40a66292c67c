#include "log/MapData.h"

// Boost 1.74's geometry still includes a header Boost itself has deprecated.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <array>
#include <iterator>

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

namespace {

using Point = bg::model::point<double, 2, bg::cs::cartesian>; // x longitude, y latitude
using Box = bg::model::box<Point>;
using PieceEntry = std::pair<Box, MapData::Piece>;
using PlaceEntry = std::pair<Point, std::uint32_t>;
using AreaEntry = std::pair<Box, std::uint32_t>;
using Parameters = bgi::rstar<16>;
constexpr std::size_t ClassCount = RoadClassCount;

Box toBox(const GeoBox &box) { return Box(Point(box.west, box.south), Point(box.east, box.north)); }

Box boundsOf(std::span<const GeoPoint> points)
{
    Box box(Point(points.front().longitude(), points.front().latitude()),
            Point(points.front().longitude(), points.front().latitude()));
    for (const GeoPoint &p : points.subspan(1))
        bg::expand(box, Point(p.longitude(), p.latitude()));
    return box;
}

} // namespace

struct MapData::Index {
    std::array<bgi::rtree<PieceEntry, Parameters>, ClassCount> pieces;
    bgi::rtree<PlaceEntry, Parameters> places;
    std::array<bgi::rtree<AreaEntry, Parameters>, AreaKindCount> areas;
    std::size_t pieceCount = 0;
};

MapData::MapData() = default;
MapData::~MapData() = default;

std::uint32_t MapData::addName(const QString &name)
{
    if (name.isEmpty())
        return NoName;
    const auto found = m_nameIds.constFind(name);
    if (found != m_nameIds.cend())
        return found.value();
    const auto id = std::uint32_t(m_names.size());
    m_names.push_back(name);
    m_nameIds.insert(name, id);
    return id;
}

void MapData::addRoad(RoadClass roadClass, std::uint32_t name, std::span<const GeoPoint> points,
                      std::uint32_t ref, RoadLevel level)
{
    if (points.size() < 2)
        return;
    m_roads.push_back({std::uint32_t(m_points.size()), std::uint32_t(points.size()), name, ref,
                       roadClass, level});
    m_points.insert(m_points.end(), points.begin(), points.end());
}

void MapData::addArea(AreaKind kind, std::uint32_t name, std::uint8_t adminLevel,
                      const std::vector<std::vector<GeoPoint>> &rings)
{
    const auto firstRing = std::uint32_t(m_rings.size());
    for (const std::vector<GeoPoint> &ring : rings) {
        if (ring.size() < 4)
            continue;
        m_rings.push_back({std::uint32_t(m_areaPoints.size()), std::uint32_t(ring.size())});
        m_areaPoints.insert(m_areaPoints.end(), ring.begin(), ring.end());
    }
    const auto ringCount = std::uint32_t(m_rings.size()) - firstRing;
    if (ringCount == 0)
        return;
    m_areas.push_back({firstRing, ringCount, name, kind, adminLevel});
    m_hasBoundaries = m_hasBoundaries || kind == AreaKind::Boundary;
}

void MapData::addPlace(PlaceKind kind, std::uint32_t name, GeoPoint at)
{
    m_places.push_back({at, name, kind});
}

void MapData::buildIndex()
{
    m_nameIds = {};
    std::array<std::vector<PieceEntry>, ClassCount> pieces;
    for (std::uint32_t r = 0; r < m_roads.size(); ++r) {
        const Road &road = m_roads[r];
        // Neighbouring pieces share their end point, so no segment is left out.
        for (std::uint32_t start = 0; start + 1 < road.count; start += PiecePoints - 1) {
            const std::uint32_t count = std::min(PiecePoints, road.count - start);
            const Piece piece{r, road.first + start, count};
            pieces[std::size_t(road.roadClass)].emplace_back(boundsOf(pointsOf(piece)), piece);
        }
    }
    auto index = std::make_unique<Index>();
    for (std::size_t c = 0; c < ClassCount; ++c) {
        index->pieceCount += pieces[c].size();
        index->pieces[c] = bgi::rtree<PieceEntry, Parameters>(pieces[c]);
    }
    std::vector<PlaceEntry> places;
    places.reserve(m_places.size());
    for (std::uint32_t i = 0; i < m_places.size(); ++i)
        places.emplace_back(Point(m_places[i].at.longitude(), m_places[i].at.latitude()), i);
    index->places = bgi::rtree<PlaceEntry, Parameters>(places);
    std::array<std::vector<AreaEntry>, AreaKindCount> areas;
    for (std::uint32_t a = 0; a < m_areas.size(); ++a) {
        Box box = boundsOf(pointsOf(ringsOf(m_areas[a]).front()));
        for (const Ring &ring : ringsOf(m_areas[a]).subspan(1))
            bg::expand(box, boundsOf(pointsOf(ring)));
        areas[std::size_t(m_areas[a].kind)].emplace_back(box, a);
    }
    for (std::size_t k = 0; k < AreaKindCount; ++k)
        index->areas[k] = bgi::rtree<AreaEntry, Parameters>(areas[k]);
    measureBounds();
    m_index = std::move(index);
    m_points.shrink_to_fit();
    m_roads.shrink_to_fit();
    m_places.shrink_to_fit();
    m_names.shrink_to_fit();
    m_areaPoints.shrink_to_fit();
    m_rings.shrink_to_fit();
    m_areas.shrink_to_fit();
}

void MapData::measureBounds()
{
    bool first = true;
    auto take = [&](GeoPoint p) {
        if (first) {
            m_bounds = {p.latitude(), p.longitude(), p.latitude(), p.longitude()};
            first = false;
            return;
        }
        m_bounds.south = std::min(m_bounds.south, p.latitude());
        m_bounds.west = std::min(m_bounds.west, p.longitude());
        m_bounds.north = std::max(m_bounds.north, p.latitude());
        m_bounds.east = std::max(m_bounds.east, p.longitude());
    };
    for (const GeoPoint &p : m_points)
        take(p);
    for (const Place &place : m_places)
        take(place.at);
}

QString MapData::name(std::uint32_t index) const
{
    return index < m_names.size() ? m_names[index] : QString();
}

std::span<const GeoPoint> MapData::pointsOf(const Road &road) const
{
    return std::span<const GeoPoint>(m_points).subspan(road.first, road.count);
}

std::span<const GeoPoint> MapData::pointsOf(const Piece &piece) const
{
    return std::span<const GeoPoint>(m_points).subspan(piece.first, piece.count);
}

std::span<const MapData::Ring> MapData::ringsOf(const Area &area) const
{
    return std::span<const Ring>(m_rings).subspan(area.firstRing, area.ringCount);
}

std::span<const GeoPoint> MapData::pointsOf(const Ring &ring) const
{
    return std::span<const GeoPoint>(m_areaPoints).subspan(ring.first, ring.count);
}

bool MapData::contains(const Area &area, GeoPoint point) const
{
    // Crossings of a ray to the east, in whole units: no rounding at the edges.
    bool inside = false;
    for (const Ring &ring : ringsOf(area)) {
        const auto points = pointsOf(ring);
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const GeoPoint a = points[i];
            const GeoPoint b = points[j];
            if ((a.lat > point.lat) == (b.lat > point.lat))
                continue;
            const double x =
                a.lon + double(b.lon - a.lon) * double(point.lat - a.lat) / double(b.lat - a.lat);
            if (double(point.lon) < x)
                inside = !inside;
        }
    }
    return inside;
}

void MapData::forAreasIn(AreaKind kind, const GeoBox &box,
                         const std::function<void(const Area &)> &visit) const
{
    if (!m_index)
        return;
    const auto &tree = m_index->areas[std::size_t(kind)];
    for (auto it = tree.qbegin(bgi::intersects(toBox(box))); it != tree.qend(); ++it)
        visit(m_areas[it->second]);
}

void MapData::forPiecesIn(RoadClass roadClass, const GeoBox &box,
                          const std::function<void(const Piece &)> &visit) const
{
    if (!m_index)
        return;
    const auto &tree = m_index->pieces[std::size_t(roadClass)];
    for (auto it = tree.qbegin(bgi::intersects(toBox(box))); it != tree.qend(); ++it)
        visit(it->second);
}

void MapData::forPlacesIn(const GeoBox &box, const std::function<void(const Place &)> &visit) const
{
    if (!m_index)
        return;
    const auto &tree = m_index->places;
    for (auto it = tree.qbegin(bgi::intersects(toBox(box))); it != tree.qend(); ++it)
        visit(m_places[it->second]);
}

std::size_t MapData::memoryBytes() const
{
    std::size_t bytes = m_points.capacity() * sizeof(GeoPoint) + m_roads.capacity() * sizeof(Road) +
                        m_places.capacity() * sizeof(Place) +
                        m_areaPoints.capacity() * sizeof(GeoPoint) +
                        m_rings.capacity() * sizeof(Ring) + m_areas.capacity() * sizeof(Area);
    for (const QString &name : m_names)
        bytes += sizeof(QString) + std::size_t(name.capacity()) * sizeof(QChar);
    if (m_index) {
        // An entry and its share of the tree's nodes.
        bytes += m_index->pieceCount * (sizeof(PieceEntry) + sizeof(Box) / 2);
        bytes += m_places.size() * (sizeof(PlaceEntry) + sizeof(Box) / 2);
        bytes += m_areas.size() * (sizeof(AreaEntry) + sizeof(Box) / 2);
    }
    return bytes;
}
