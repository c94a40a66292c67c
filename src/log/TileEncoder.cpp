#include "log/TileEncoder.h"

#include "log/MapFileFormat.h"

#include <cstring>

namespace {

template <typename T> void append(std::string &out, T value)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.append(raw, sizeof(T));
}

} // namespace

void TileEncoder::u8(std::string &out, std::uint8_t value) { append(out, value); }
void TileEncoder::u16(std::string &out, std::uint16_t value) { append(out, value); }
void TileEncoder::u32(std::string &out, std::uint32_t value) { append(out, value); }
void TileEncoder::u64(std::string &out, std::uint64_t value) { append(out, value); }
void TileEncoder::i32(std::string &out, std::int32_t value) { append(out, value); }
void TileEncoder::f64(std::string &out, double value) { append(out, value); }

void TileEncoder::text(std::string &out, std::string_view text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), 0xFFFF);
    u16(out, std::uint16_t(length));
    out.append(text.data(), length);
}

void TileEncoder::points(std::string &out, std::span<const GeoPoint> points)
{
    u32(out, std::uint32_t(points.size()));
    for (const GeoPoint &p : points) {
        i32(out, p.lat);
        i32(out, p.lon);
    }
}

void TileEncoder::road(std::string &out, std::uint32_t feature, std::uint32_t firstSegment,
                       RoadClass roadClass, RoadLevel level, std::string_view name,
                       std::string_view ref, std::span<const GeoPoint> points)
{
    u8(out, std::uint8_t(MapFileFormat::FeatureType::Road));
    u32(out, feature);
    u32(out, firstSegment);
    u8(out, std::uint8_t(roadClass));
    u8(out, std::uint8_t(level));
    text(out, name);
    text(out, ref);
    TileEncoder::points(out, points);
}

void TileEncoder::area(std::string &out, AreaKind kind, std::uint8_t adminLevel,
                       std::string_view name, const std::vector<std::vector<GeoPoint>> &rings)
{
    u8(out, std::uint8_t(MapFileFormat::FeatureType::Area));
    u8(out, std::uint8_t(kind));
    u8(out, adminLevel);
    text(out, name);
    u32(out, std::uint32_t(rings.size()));
    for (const auto &ring : rings)
        points(out, ring);
}

void TileEncoder::place(std::string &out, PlaceKind kind, std::string_view name, GeoPoint at)
{
    u8(out, std::uint8_t(MapFileFormat::FeatureType::Place));
    u8(out, std::uint8_t(kind));
    text(out, name);
    i32(out, at.lat);
    i32(out, at.lon);
}
