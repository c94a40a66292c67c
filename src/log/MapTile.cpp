#include "log/MapTile.h"

#include "log/ByteReader.h"
#include "log/MapFileFormat.h"

#include <zlib.h>

#include <cstdlib>

namespace {

constexpr std::int32_t MaxLat = 900'000'000;
constexpr std::int32_t MaxLon = 1'800'000'000;

QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

class MapTile::Decoder {
public:
    Decoder(MapTile &tile, std::span<const std::byte> bytes) : m_tile(tile), m_in(bytes) {}

    bool run()
    {
        const std::uint32_t count = m_in.u32();
        // A feature takes at least its type byte and a few more.
        if (!m_in.holds(count, 4))
            return false;
        for (std::uint32_t i = 0; i < count; ++i)
            if (!feature())
                return false;
        return m_in.atEnd();
    }

private:
    bool feature()
    {
        switch (MapFileFormat::FeatureType(m_in.u8())) {
        case MapFileFormat::FeatureType::Road:
            return road();
        case MapFileFormat::FeatureType::Area:
            return area();
        case MapFileFormat::FeatureType::Place:
            return place();
        }
        return false;
    }

    bool points(std::uint32_t &first, std::uint32_t &count)
    {
        count = m_in.u32();
        // Two bytes at least a point.
        if (!m_in.holds(count, 2))
            return false;
        first = std::uint32_t(m_tile.m_points.size());
        std::int64_t lat = 0, lon = 0;
        auto unzigzag = [](std::uint64_t v) {
            return std::int64_t(v >> 1) ^ -std::int64_t(v & 1);
        };
        for (std::uint32_t i = 0; i < count; ++i) {
            // Each step is checked before it is added: no sum runs past 64 bits.
            const std::int64_t dLat = unzigzag(m_in.varint());
            const std::int64_t dLon = unzigzag(m_in.varint());
            if (!m_in.ok() || std::abs(dLat) > 2 * std::int64_t(MaxLat) ||
                std::abs(dLon) > 2 * std::int64_t(MaxLon))
                return false;
            lat += dLat;
            lon += dLon;
            if (std::abs(lat) > MaxLat || std::abs(lon) > MaxLon)
                return false;
            m_tile.m_points.push_back({std::int32_t(lat), std::int32_t(lon)});
        }
        return m_in.ok();
    }

    bool road()
    {
        Road road;
        road.feature = m_in.u32();
        road.firstSegment = m_in.u32();
        const std::uint8_t roadClass = m_in.u8();
        const std::uint8_t level = m_in.u8();
        road.name = textOf(m_in.text());
        road.ref = textOf(m_in.text());
        if (!m_in.ok() || roadClass >= RoadClassCount || level > std::uint8_t(RoadLevel::Bridge))
            return false;
        road.roadClass = RoadClass(roadClass);
        road.level = RoadLevel(level);
        if (!points(road.first, road.count) || road.count < 2)
            return false;
        m_tile.m_roads.push_back(std::move(road));
        return true;
    }

    bool area()
    {
        Area area;
        const std::uint8_t kind = m_in.u8();
        area.adminLevel = m_in.u8();
        area.name = textOf(m_in.text());
        const std::uint32_t ringCount = m_in.u32();
        if (!m_in.ok() || kind >= AreaKindCount || ringCount == 0 || !m_in.holds(ringCount, 4))
            return false;
        area.kind = AreaKind(kind);
        area.firstRing = std::uint32_t(m_tile.m_rings.size());
        area.ringCount = ringCount;
        for (std::uint32_t r = 0; r < ringCount; ++r) {
            Ring ring;
            if (!points(ring.first, ring.count) || ring.count < 4)
                return false;
            m_tile.m_rings.push_back(ring);
        }
        m_tile.m_areas.push_back(std::move(area));
        return true;
    }

    bool place()
    {
        Place place;
        const std::uint8_t kind = m_in.u8();
        place.name = textOf(m_in.text());
        place.at = {m_in.i32(), m_in.i32()};
        if (!m_in.ok() || kind > std::uint8_t(PlaceKind::Hamlet) ||
            std::abs(std::int64_t(place.at.lat)) > MaxLat ||
            std::abs(std::int64_t(place.at.lon)) > MaxLon)
            return false;
        place.kind = PlaceKind(kind);
        m_tile.m_places.push_back(std::move(place));
        return true;
    }

    MapTile &m_tile;
    ByteReader m_in;
};

std::optional<MapTile> MapTile::unpack(std::span<const std::byte> stored, std::uint32_t crc)
{
    const auto *data = reinterpret_cast<const Bytef *>(stored.data());
    if (stored.size() > 0xFFFFFFFFu || ::crc32(0L, data, uInt(stored.size())) != crc)
        return std::nullopt;
    ByteReader in(stored);
    const std::uint32_t rawSize = in.u32();
    if (!in.ok() || rawSize > MaxBytes)
        return std::nullopt;
    std::vector<std::byte> raw(rawSize);
    uLongf size = rawSize;
    if (::uncompress(reinterpret_cast<Bytef *>(raw.data()), &size, data + 4,
                     uLong(stored.size() - 4)) != Z_OK ||
        size != rawSize)
        return std::nullopt;
    return decode(raw);
}

std::optional<MapTile> MapTile::decode(std::span<const std::byte> bytes)
{
    MapTile tile;
    if (!Decoder(tile, bytes).run())
        return std::nullopt;
    return tile;
}

std::span<const GeoPoint> MapTile::pointsOf(const Road &road) const
{
    return std::span<const GeoPoint>(m_points).subspan(road.first, road.count);
}

std::span<const MapTile::Ring> MapTile::ringsOf(const Area &area) const
{
    return std::span<const Ring>(m_rings).subspan(area.firstRing, area.ringCount);
}

std::span<const GeoPoint> MapTile::pointsOf(const Ring &ring) const
{
    return std::span<const GeoPoint>(m_points).subspan(ring.first, ring.count);
}

std::size_t MapTile::memoryBytes() const
{
    std::size_t bytes = sizeof(MapTile) + m_points.capacity() * sizeof(GeoPoint) +
                        m_roads.capacity() * sizeof(Road) + m_rings.capacity() * sizeof(Ring) +
                        m_areas.capacity() * sizeof(Area) + m_places.capacity() * sizeof(Place);
    for (const Road &road : m_roads)
        bytes += std::size_t(road.name.capacity() + road.ref.capacity()) * sizeof(QChar);
    for (const Area &area : m_areas)
        bytes += std::size_t(area.name.capacity()) * sizeof(QChar);
    for (const Place &place : m_places)
        bytes += std::size_t(place.name.capacity()) * sizeof(QChar);
    return bytes;
}
