#pragma once

#include "log/GeoBox.h"
#include "log/GeoPoint.h"

#include <vector>

// The sea of an extract from its coastline ways. OpenStreetMap draws the coastline with the
// water on the right of the way's direction, and an extract holds only pieces of it: the
// pieces are joined where they meet and closed along the edge of the extract's box,
// clockwise, so that the water stays on the right.
class Coastline {
public:
    using Ring = std::vector<GeoPoint>;

    void addWay(std::vector<GeoPoint> points);
    bool isEmpty() const { return m_ways.empty(); }

    // The rings of the sea within the box, to be filled even-odd: the water closed along
    // the box, islands as holes. No rings without coastline. A piece that ends inside the
    // box (a coastline cut short) is led to the nearest edge.
    std::vector<Ring> seaWithin(const GeoBox &box) const;

private:
    std::vector<Ring> joined() const;

    std::vector<Ring> m_ways;
};
