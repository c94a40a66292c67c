#include "log/PlaceFinder.h"

#include "log/LocalFrame.h"
#include "log/MapData.h"
#include "log/MapViewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double LongestReach = 12000.0; // the reach of a city

double distanceToPiece(const MapData &data, const MapData::Piece &piece, const LocalFrame &frame)
{
    const auto points = data.pointsOf(piece);
    double best = std::numeric_limits<double>::infinity();
    QPointF previous = frame.toMetres(points.front());
    for (const GeoPoint &point : points.subspan(1)) {
        const QPointF current = frame.toMetres(point);
        best = std::min(best, LocalFrame::distanceToSegment({0.0, 0.0}, previous, current));
        previous = current;
    }
    return best;
}

} // namespace

QString PlaceFinder::placeAt(double latitude, double longitude) const
{
    if (!MapViewport::isPosition(latitude, longitude))
        return {};
    const QString road = roadAt(latitude, longitude);
    if (road.isEmpty())
        return NotAvailable;
    const QString place = placeAround(latitude, longitude);
    return place.isEmpty() ? road : road + QStringLiteral(", ") + place;
}

QString PlaceFinder::roadAt(double latitude, double longitude) const
{
    const LocalFrame frame(latitude, longitude);
    const GeoBox box = frame.around(RoadReach);
    // Ties go to the larger road: the classes come largest first.
    double best = std::nextafter(RoadReach, LongestReach);
    std::uint32_t name = MapData::NoName;
    for (int c = 0; c <= int(RoadClass::Service); ++c) {
        m_data.forPiecesIn(RoadClass(c), box, [&](const MapData::Piece &piece) {
            const std::uint32_t pieceName = m_data.roads()[piece.road].name;
            if (pieceName == MapData::NoName)
                return;
            const double distance = distanceToPiece(m_data, piece, frame);
            if (distance < best) {
                best = distance;
                name = pieceName;
            }
        });
    }
    return m_data.name(name);
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
