#pragma once

#include "log/GeoPoint.h"

#include <cstdint>
#include <span>
#include <vector>

// Cuts features into the tiles of a zoom band: lines into runs of the segments that pass
// through each tile, areas clipped to each tile (holes and all, to be filled even-odd). A
// tile is a square of tileUnits (1e-7 degrees) on the grid of MapFileFormat.
class TileCutter {
public:
    using Ring = std::vector<GeoPoint>;

    struct LineRun {
        std::uint32_t x = 0;
        std::uint32_t y = 0;
        std::uint32_t firstSegment = 0; // segment i joins points i and i + 1
        std::uint32_t lastSegment = 0;
    };
    struct AreaPiece {
        std::uint32_t x = 0;
        std::uint32_t y = 0;
        std::vector<Ring> rings;
    };

    // Douglas-Peucker: the points that keep the line within tolerance of where it was; the
    // ends always stay. A tolerance of zero keeps every point.
    static std::vector<GeoPoint> simplify(std::span<const GeoPoint> points, double toleranceMetres);
    // Every tile a segment passes through holds it, so that a look-up in the tiles around
    // a point meets every segment near it.
    static std::vector<LineRun> splitLine(std::span<const GeoPoint> points, std::int32_t tileUnits);
    // Closed rings (last point repeats the first); rings that shrink to nothing in a tile
    // are left out of it.
    static std::vector<AreaPiece> clipRings(const std::vector<Ring> &rings, std::int32_t tileUnits);
};
