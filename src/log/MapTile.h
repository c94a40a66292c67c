#pragma once

#include "log/AreaKind.h"
#include "log/GeoPoint.h"
#include "log/RoadClass.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The features of one tile of a prepared map, read from its bytes. A road crossing
// tiles comes as runs of consecutive segments, each tile holding those that pass through
// it: the runs of one road carry its feature number and the place of their first segment,
// so that the tiles of a view give the road back whole. An area comes clipped to the tile.
class MapTile {
public:
    struct Road {
        std::uint32_t feature = 0;
        std::uint32_t firstSegment = 0;
        RoadClass roadClass = RoadClass::Minor;
        RoadLevel level = RoadLevel::Surface;
        QString name;
        QString ref;
        std::uint32_t first = 0; // index into points()
        std::uint32_t count = 0;
    };
    struct Ring {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
    };
    struct Area {
        AreaKind kind = AreaKind::Green;
        std::uint8_t adminLevel = 0;
        QString name;
        std::uint32_t firstRing = 0;
        std::uint32_t ringCount = 0;
    };
    struct Place {
        GeoPoint at;
        PlaceKind kind = PlaceKind::Village;
        QString name;
    };

    // The largest tile unpacked: a size beyond it is taken for damage.
    static constexpr std::size_t MaxBytes = std::size_t(64) << 20;

    // A tile as the file stores it (the raw size, then deflated). None for bytes that fail
    // their CRC, don't inflate to their size or don't hold what they claim (a count beyond
    // the end, a kind that doesn't exist, a position off the earth).
    static std::optional<MapTile> unpack(std::span<const std::byte> stored, std::uint32_t crc);
    // The features as they are before packing.
    static std::optional<MapTile> decode(std::span<const std::byte> bytes);

    const std::vector<Road> &roads() const { return m_roads; }
    const std::vector<Area> &areas() const { return m_areas; }
    const std::vector<Place> &places() const { return m_places; }
    std::span<const GeoPoint> pointsOf(const Road &road) const;
    std::span<const Ring> ringsOf(const Area &area) const;
    std::span<const GeoPoint> pointsOf(const Ring &ring) const;
    // Roughly, for the budget of the tile cache.
    std::size_t memoryBytes() const;

private:
    class Decoder;

    std::vector<GeoPoint> m_points;
    std::vector<Road> m_roads;
    std::vector<Ring> m_rings;
    std::vector<Area> m_areas;
    std::vector<Place> m_places;
};
