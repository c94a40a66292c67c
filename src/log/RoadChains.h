#pragma once

#include "log/MapData.h"

#include <cstdint>
#include <span>
#include <vector>

// Joins runs of road points into longer lines where they meet end to end with the same
// name: a street that the map data splits into several ways is drawn as one line (no
// seams where the parts meet, far fewer lines to draw) and named along its whole length.
class RoadChains {
public:
    // A run of points of one road, walked forwards or backwards.
    struct Link {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        bool reversed = false;
    };
    struct Chain {
        std::uint32_t name = MapData::NoName;
        std::uint32_t firstLink = 0; // index into links()
        std::uint32_t linkCount = 0;
        std::uint32_t pointCount = 0; // with the shared points counted once
        std::uint32_t road = 0;       // the road of its first run
    };

    // runs: consecutive points of roads (MapData::Piece), each of two or more points.
    void join(const MapData &data, std::span<const MapData::Piece> runs);

    const std::vector<Chain> &chains() const { return m_chains; }
    std::span<const Link> linksOf(const Chain &chain) const;
    // The points of a chain in order, the shared point of two links once.
    void pointsOf(const MapData &data, const Chain &chain, std::vector<GeoPoint> &out) const;

private:
    std::vector<Chain> m_chains;
    std::vector<Link> m_links;
};
