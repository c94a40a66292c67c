#include "log/PlaceFinder.h"

#include "log/LocalFrame.h"
#include "log/MapData.h"
#include "log/MapViewport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

struct Nearest {
    double distance = std::numeric_limits<double>::infinity();
    double bearing = 0.0; // of the nearest segment, degrees clockwise from north
};

Nearest nearestOnPiece(const MapData &data, const MapData::Piece &piece, const LocalFrame &frame)
{
    const auto points = data.pointsOf(piece);
    Nearest best;
    QPointF previous = frame.toMetres(points.front());
    for (const GeoPoint &point : points.subspan(1)) {
        const QPointF current = frame.toMetres(point);
        const double distance = LocalFrame::distanceToSegment({0.0, 0.0}, previous, current);
        if (distance < best.distance) {
            const QPointF d = current - previous;
            best = {distance, std::atan2(d.x(), d.y()) * 180.0 / std::numbers::pi};
        }
        previous = current;
    }
    return best;
}

// A road is driven both ways: its direction and the course agree modulo 180 degrees.
bool runsAlong(double bearing, double course)
{
    const double d = std::fmod(std::abs(bearing - course), 180.0);
    return std::min(d, 180.0 - d) <= PlaceFinder::AlongDegrees;
}

} // namespace

QString PlaceFinder::placeAt(double latitude, double longitude, std::optional<double> course) const
{
    if (!MapViewport::isPosition(latitude, longitude))
        return {};
    const QString road = roadAt(latitude, longitude, course);
    if (road.isEmpty())
        return NotAvailable;
    const QString town = townAt(latitude, longitude);
    return town.isEmpty() ? road : road + QStringLiteral(", ") + town;
}

QString PlaceFinder::roadAt(double latitude, double longitude, std::optional<double> course) const
{
    const LocalFrame frame(latitude, longitude);
    const GeoBox box = frame.around(RoadReach);
    // Ties go to the larger road: the classes come largest first.
    const double reach = std::nextafter(RoadReach, LongestReach);
    double best = reach;
    double bestAlong = reach;
    std::uint32_t name = MapData::NoName;
    std::uint32_t along = MapData::NoName;
    for (int c = 0; c <= int(LastCarRoad); ++c) {
        m_data.forPiecesIn(RoadClass(c), box, [&](const MapData::Piece &piece) {
            const std::uint32_t pieceName = m_data.roads()[piece.road].name;
            if (pieceName == MapData::NoName)
                return;
            const Nearest nearest = nearestOnPiece(m_data, piece, frame);
            if (nearest.distance < best) {
                best = nearest.distance;
                name = pieceName;
            }
            if (course && nearest.distance < bestAlong && runsAlong(nearest.bearing, *course)) {
                bestAlong = nearest.distance;
                along = pieceName;
            }
        });
    }
    return m_data.name(along != MapData::NoName ? along : name);
}

QString PlaceFinder::townAt(double latitude, double longitude) const
{
    if (m_data.hasBoundaries())
        if (QString town = boundaryAround(latitude, longitude); !town.isEmpty())
            return town;
    return placeAround(latitude, longitude);
}

QString PlaceFinder::boundaryAround(double latitude, double longitude) const
{
    const GeoPoint point = GeoPoint::fromDegrees(latitude, longitude);
    const GeoBox box{latitude, longitude, latitude, longitude};
    // The municipality first, the larger units only where none holds the point: a
    // country's long boundary is walked only then. Suburbs and quarters (levels 9 and 10)
    // are never kept.
    std::vector<const MapData::Area *> around;
    m_data.forAreasIn(AreaKind::Boundary, box,
                      [&](const MapData::Area &area) { around.push_back(&area); });
    std::stable_sort(around.begin(), around.end(),
                     [](const auto *a, const auto *b) { return a->adminLevel > b->adminLevel; });
    for (const MapData::Area *area : around)
        if (m_data.contains(*area, point))
            return m_data.name(area->name);
    return {};
}

QString PlaceFinder::placeAround(double latitude, double longitude) const
{
    const LocalFrame frame(latitude, longitude);
    double best = std::numeric_limits<double>::infinity();
    std::uint32_t name = MapData::NoName;
    m_data.forPlacesIn(frame.around(LongestReach), [&](const MapData::Place &place) {
        const QPointF d = frame.toMetres(place.at);
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= placeReachMetres(place.kind) && distance < best) {
            best = distance;
            name = place.name;
        }
    });
    return m_data.name(name);
}
