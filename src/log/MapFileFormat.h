#pragma once

#include "log/GeoBox.h"
#include "log/GeoPoint.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// The layout of a prepared map (.rovanamap), written by the import and read memory-mapped
// by the program. All numbers little-endian.
//
//   header (64 bytes)   magic, version, band count, bounding box, flags, offset of the band
//                       table, the size of the whole file
//   tiles               one blob per tile of each zoom band: a CRC-32, a feature count and
//                       the features (roads as runs of one road, areas clipped to the tile,
//                       places)
//   band table          per band: the scales it draws, its tile size, its tile index
//   tile indexes        per band, entries sorted by row then column
//
// A zoom band holds the features shown at its scales, simplified to half a pixel of its
// closest scale. Band 0 is kept exact: the street look-up reads it. The last band holds
// only the places, in large tiles, for the look-up of the town.
namespace MapFileFormat {

static_assert(std::endian::native == std::endian::little, "the map file is read in place");

constexpr std::array<char, 8> Magic{'R', 'O', 'V', 'A', 'N', 'A', 'M', 'P'};
constexpr std::uint32_t Version = 1;
constexpr std::size_t HeaderSize = 64;
constexpr std::size_t BandEntrySize = 40;
constexpr std::size_t IndexEntrySize = 24;
constexpr std::uint32_t MaxBands = 16;
// Tiles are squares of latitude and longitude, counted from 90° S and 180° W.
constexpr std::int64_t LatitudeOrigin = 900'000'000;
constexpr std::int64_t LongitudeOrigin = 1'800'000'000;
constexpr std::int32_t SmallestTile = 10'000;       // 0.001°
constexpr std::int32_t LargestTile = 1'800'000'000; // 180°

constexpr std::uint32_t HasBoundaries = 1u;

// What a band serves.
constexpr std::uint32_t Drawn = 1u;
constexpr std::uint32_t LookUpRoads = 2u;  // roads and boundaries of the street look-up
constexpr std::uint32_t LookUpPlaces = 4u; // the places of the town look-up

enum class FeatureType : std::uint8_t { Road = 1, Area = 2, Place = 3 };

struct Header {
    std::uint32_t version = Version;
    std::uint32_t bandCount = 0;
    GeoPoint southWest;
    GeoPoint northEast;
    std::uint32_t flags = 0;
    std::uint64_t bandTableOffset = 0;
    std::uint64_t fileSize = 0;
};

struct Band {
    double fromMetresPerPixel = 0.0; // drawn for views from this scale
    double upToMetresPerPixel = 0.0; // up to this one
    std::int32_t tileUnits = 0;      // the side of a tile in 1e-7 degrees
    std::uint32_t role = 0;
    std::uint32_t tileCount = 0;
    std::uint64_t indexOffset = 0;
};

struct IndexEntry {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t crc = 0;
};

// The bands the import writes.
struct BandPlan {
    double from;
    double upTo;
    std::int32_t tileUnits;
    std::uint32_t role;
};
// Each band's tiles are about half the width of a view at its widest scale, so that a view
// reads a few tiles and little beyond it.
constexpr std::array<BandPlan, 7> Bands{{
    {0.0, 4.0, 200'000, Drawn | LookUpRoads}, // 0.02°
    {4.0, 16.0, 800'000, Drawn},
    {16.0, 64.0, 3'200'000, Drawn},
    {64.0, 256.0, 12'800'000, Drawn},
    {256.0, 1024.0, 51'200'000, Drawn},
    {1024.0, 1e12, 204'800'000, Drawn},
    {0.0, 0.0, 6'400'000, LookUpPlaces}, // 0.64°: a city's reach spans one to four
}};

// The tile column or row of a coordinate.
constexpr std::uint32_t column(std::int32_t lon, std::int32_t tileUnits)
{
    return std::uint32_t((std::int64_t(lon) + LongitudeOrigin) / tileUnits);
}
constexpr std::uint32_t row(std::int32_t lat, std::int32_t tileUnits)
{
    return std::uint32_t((std::int64_t(lat) + LatitudeOrigin) / tileUnits);
}
// The west or south edge of a tile column or row, 1e-7 degrees.
constexpr std::int64_t west(std::uint32_t x, std::int32_t tileUnits)
{
    return std::int64_t(x) * tileUnits - LongitudeOrigin;
}
constexpr std::int64_t south(std::uint32_t y, std::int32_t tileUnits)
{
    return std::int64_t(y) * tileUnits - LatitudeOrigin;
}

} // namespace MapFileFormat
