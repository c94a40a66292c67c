#pragma once

#include "log/AreaKind.h"
#include "log/GeoPoint.h"
#include "log/RoadClass.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Writes features in the form MapTile reads them. Texts are UTF-8, cut to 65,535 bytes.
class TileEncoder {
public:
    static void road(std::string &out, std::uint32_t feature, std::uint32_t firstSegment,
                     RoadClass roadClass, RoadLevel level, std::string_view name,
                     std::string_view ref, std::span<const GeoPoint> points);
    static void area(std::string &out, AreaKind kind, std::uint8_t adminLevel,
                     std::string_view name, const std::vector<std::vector<GeoPoint>> &rings);
    static void place(std::string &out, PlaceKind kind, std::string_view name, GeoPoint at);

    static void u8(std::string &out, std::uint8_t value);
    static void u16(std::string &out, std::uint16_t value);
    static void u32(std::string &out, std::uint32_t value);
    static void u64(std::string &out, std::uint64_t value);
    static void i32(std::string &out, std::int32_t value);
    static void f64(std::string &out, double value);
    static void varint(std::string &out, std::uint64_t value);
    static void text(std::string &out, std::string_view text);
    // A count, then each point as the difference to the one before (the first to 0, 0),
    // zigzag and base-128: neighbouring points take a few bytes.
    static void points(std::string &out, std::span<const GeoPoint> points);
    // A tile's features packed as the file stores them: the raw size, then deflated.
    static std::string pack(const std::string &features);
};
