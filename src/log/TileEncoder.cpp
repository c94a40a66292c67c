#include "log/TileEncoder.h"

#include "log/MapFileFormat.h"

#include <zlib.h>

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

void TileEncoder::varint(std::string &out, std::uint64_t value)
{
    while (value >= 0x80) {
        out.push_back(char(std::uint8_t(value) | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

void TileEncoder::points(std::string &out, std::span<const GeoPoint> points)
{
    u32(out, std::uint32_t(points.size()));
    auto zigzag = [](std::int64_t d) {
        return std::uint64_t((d << 1) ^ (d >> 63));
    };
    GeoPoint previous;
    for (const GeoPoint &p : points) {
        varint(out, zigzag(std::int64_t(p.lat) - previous.lat));
        varint(out, zigzag(std::int64_t(p.lon) - previous.lon));
        previous = p;
    }
}

std::string TileEncoder::pack(const std::string &features)
{
    uLongf size = compressBound(uLong(features.size()));
    std::string out;
    u32(out, std::uint32_t(features.size()));
    out.resize(4 + size);
    if (compress2(reinterpret_cast<Bytef *>(out.data() + 4), &size,
                  reinterpret_cast<const Bytef *>(features.data()), uLong(features.size()),
                  6) != Z_OK)
        return {};
    out.resize(4 + size);
    return out;
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
