#pragma once

#include "log/AreaKind.h"
#include "log/GeoBox.h"
#include "log/GeoPoint.h"
#include "log/RoadClass.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

// The roads and places of a map in compact form, with a spatial index. Built once (on
// the loading thread), then only read: one instance may be shared between threads.
class MapData {
public:
    static constexpr std::uint32_t NoName = 0xFFFFFFFFu;
    // The longest run of points one index entry covers, so that a long road costs a
    // query only the part of it near the point.
    static constexpr std::uint32_t PiecePoints = 9;

    struct Road {
        std::uint32_t first = 0; // index of its first point
        std::uint32_t count = 0; // two or more points
        std::uint32_t name = NoName;
        std::uint32_t ref = NoName; // the road's number, for the major roads
        RoadClass roadClass = RoadClass::Minor;
        RoadLevel level = RoadLevel::Surface;
    };
    // A closed ring of points (the last point repeats the first).
    struct Ring {
        std::uint32_t first = 0; // index into areaPoints()
        std::uint32_t count = 0;
    };
    // A polygon, perhaps with holes or several parts: a point is inside when it lies
    // inside an odd number of its rings.
    struct Area {
        std::uint32_t firstRing = 0;
        std::uint32_t ringCount = 0;
        std::uint32_t name = NoName;
        AreaKind kind = AreaKind::Green;
        std::uint8_t adminLevel = 0; // boundaries only
    };
    struct Place {
        GeoPoint at;
        std::uint32_t name = NoName;
        PlaceKind kind = PlaceKind::Village;
    };
    // A run of up to PiecePoints consecutive points of one road.
    struct Piece {
        std::uint32_t road = 0;
        std::uint32_t first = 0; // index into points()
        std::uint32_t count = 0;
    };

    MapData();
    ~MapData();
    MapData(const MapData &) = delete;
    MapData &operator=(const MapData &) = delete;

    // Building. Names are stored once however many roads carry them.
    std::uint32_t addName(const QString &name);
    // A road of fewer than two points is not kept.
    void addRoad(RoadClass roadClass, std::uint32_t name, std::span<const GeoPoint> points,
                 std::uint32_t ref = NoName, RoadLevel level = RoadLevel::Surface);
    // Rings of fewer than four points are left out, and an area without rings.
    void addArea(AreaKind kind, std::uint32_t name, std::uint8_t adminLevel,
                 const std::vector<std::vector<GeoPoint>> &rings);
    // Multipolygons that could not be assembled and were left out.
    void setBrokenAreas(int count) { m_brokenAreas = count; }
    void addPlace(PlaceKind kind, std::uint32_t name, GeoPoint at);
    // Builds the spatial index; call once after the last add.
    void buildIndex();

    bool isEmpty() const { return m_roads.empty() && m_places.empty() && m_areas.empty(); }
    int brokenAreas() const { return m_brokenAreas; }
    bool hasBoundaries() const { return m_hasBoundaries; }
    // The box around every road and place (after buildIndex).
    GeoBox bounds() const { return m_bounds; }
    const std::vector<Road> &roads() const { return m_roads; }
    const std::vector<Place> &places() const { return m_places; }
    const std::vector<GeoPoint> &points() const { return m_points; }
    const std::vector<Area> &areas() const { return m_areas; }
    QString name(std::uint32_t index) const;
    std::span<const Ring> ringsOf(const Area &area) const;
    std::span<const GeoPoint> pointsOf(const Ring &ring) const;
    // Even-odd over all the area's rings.
    bool contains(const Area &area, GeoPoint point) const;
    std::span<const GeoPoint> pointsOf(const Road &road) const;
    std::span<const GeoPoint> pointsOf(const Piece &piece) const;

    // The pieces of roads of one class whose bounds meet the box.
    void forPiecesIn(RoadClass roadClass, const GeoBox &box,
                     const std::function<void(const Piece &)> &visit) const;
    // The areas of one kind whose bounds meet the box.
    void forAreasIn(AreaKind kind, const GeoBox &box,
                    const std::function<void(const Area &)> &visit) const;
    void forPlacesIn(const GeoBox &box, const std::function<void(const Place &)> &visit) const;

    // The memory the data and its index take, roughly, in bytes.
    std::size_t memoryBytes() const;

private:
    struct Index;

    void measureBounds();

    std::vector<GeoPoint> m_points;
    std::vector<Road> m_roads;
    std::vector<Place> m_places;
    std::vector<GeoPoint> m_areaPoints;
    std::vector<Ring> m_rings;
    std::vector<Area> m_areas;
    int m_brokenAreas = 0;
    bool m_hasBoundaries = false;
    std::vector<QString> m_names;
    QHash<QString, std::uint32_t> m_nameIds; // only while building
    GeoBox m_bounds;
    std::unique_ptr<Index> m_index;
};
