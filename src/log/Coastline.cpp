#include "log/Coastline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

std::uint64_t keyOf(GeoPoint p)
{
    return (std::uint64_t(std::uint32_t(p.lat)) << 32) | std::uint32_t(p.lon);
}

bool isClosed(const Coastline::Ring &ring)
{
    return ring.size() >= 4 && ring.front() == ring.back();
}

// Twice the signed area, longitude as x and latitude as y: positive counter-clockwise.
double signedArea(const Coastline::Ring &ring)
{
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        sum += double(ring[i].lon) * ring[i + 1].lat - double(ring[i + 1].lon) * ring[i].lat;
    return sum;
}

// Positions along the edge of the box, clockwise from its north-west corner.
class Perimeter {
public:
    explicit Perimeter(const GeoBox &box)
        : m_box(box), m_width(box.east - box.west), m_height(box.north - box.south)
    {
    }

    double length() const { return 2.0 * (m_width + m_height); }

    // The point of the edge nearest to p (p itself when it lies on or beyond the edge).
    double positionOf(GeoPoint p) const
    {
        const double lat = std::clamp(p.latitude(), m_box.south, m_box.north);
        const double lon = std::clamp(p.longitude(), m_box.west, m_box.east);
        const std::array<double, 4> gaps{m_box.north - lat, m_box.east - lon, lat - m_box.south,
                                         lon - m_box.west};
        const auto edge = std::min_element(gaps.begin(), gaps.end()) - gaps.begin();
        switch (edge) {
        case 0:
            return lon - m_box.west;
        case 1:
            return m_width + (m_box.north - lat);
        case 2:
            return m_width + m_height + (m_box.east - lon);
        default:
            return 2.0 * m_width + m_height + (lat - m_box.south);
        }
    }

    GeoPoint pointAt(double t) const
    {
        if (t <= m_width)
            return GeoPoint::fromDegrees(m_box.north, m_box.west + t);
        if (t <= m_width + m_height)
            return GeoPoint::fromDegrees(m_box.north - (t - m_width), m_box.east);
        if (t <= 2.0 * m_width + m_height)
            return GeoPoint::fromDegrees(m_box.south, m_box.east - (t - m_width - m_height));
        return GeoPoint::fromDegrees(m_box.south + (t - 2.0 * m_width - m_height), m_box.west);
    }

    // How far clockwise from a to b.
    double ahead(double a, double b) const
    {
        const double d = std::fmod(b - a, length());
        return d < 0.0 ? d + length() : d;
    }

    // The corners passed going clockwise from a, d further on.
    void cornersBetween(double a, double d, Coastline::Ring &out) const
    {
        const std::array<double, 4> corners{0.0, m_width, m_width + m_height,
                                            2.0 * m_width + m_height};
        std::vector<std::pair<double, double>> passed; // distance ahead, position
        for (const double c : corners) {
            const double toCorner = ahead(a, c);
            if (toCorner > 0.0 && toCorner < d)
                passed.emplace_back(toCorner, c);
        }
        std::sort(passed.begin(), passed.end());
        for (const auto &corner : passed)
            out.push_back(pointAt(corner.second));
    }

    Coastline::Ring ring() const
    {
        Coastline::Ring ring;
        cornersBetween(0.0, length(), ring);
        ring.insert(ring.begin(), pointAt(0.0));
        ring.push_back(pointAt(0.0));
        return ring;
    }

private:
    GeoBox m_box;
    double m_width;
    double m_height;
};

} // namespace

void Coastline::addWay(std::vector<GeoPoint> points)
{
    if (points.size() >= 2)
        m_ways.push_back(std::move(points));
}

std::vector<Coastline::Ring> Coastline::joined() const
{
    std::unordered_map<std::uint64_t, std::size_t> byStart;
    std::unordered_set<std::uint64_t> ends;
    for (std::size_t i = 0; i < m_ways.size(); ++i) {
        byStart.emplace(keyOf(m_ways[i].front()), i);
        ends.insert(keyOf(m_ways[i].back()));
    }
    std::vector<bool> used(m_ways.size(), false);
    std::vector<Ring> chains;
    auto walk = [&](std::size_t i) {
        Ring chain = m_ways[i];
        used[i] = true;
        while (!isClosed(chain)) {
            const auto next = byStart.find(keyOf(chain.back()));
            if (next == byStart.end() || used[next->second])
                break;
            used[next->second] = true;
            const Ring &way = m_ways[next->second];
            chain.insert(chain.end(), way.begin() + 1, way.end());
        }
        chains.push_back(std::move(chain));
    };
    // Chains from their first piece; what is left lies on closed rings.
    for (std::size_t i = 0; i < m_ways.size(); ++i)
        if (!used[i] && !ends.contains(keyOf(m_ways[i].front())))
            walk(i);
    for (std::size_t i = 0; i < m_ways.size(); ++i)
        if (!used[i])
            walk(i);
    return chains;
}

std::vector<Coastline::Ring> Coastline::seaWithin(const GeoBox &box) const
{
    std::vector<Ring> sea;
    if (m_ways.empty() || box.north <= box.south || box.east <= box.west)
        return sea;
    std::vector<Ring> open;
    bool islands = false;
    for (Ring &chain : joined()) {
        if (isClosed(chain)) {
            islands = islands || signedArea(chain) > 0.0;
            sea.push_back(std::move(chain));
        } else {
            open.push_back(std::move(chain));
        }
    }
    const Perimeter edge(box);
    if (open.empty()) {
        // Only islands: the water is all around them.
        if (islands)
            sea.push_back(edge.ring());
        return sea;
    }
    std::vector<double> entry(open.size()), exit(open.size());
    for (std::size_t i = 0; i < open.size(); ++i) {
        entry[i] = edge.positionOf(open[i].front());
        exit[i] = edge.positionOf(open[i].back());
    }
    std::vector<bool> used(open.size(), false);
    for (std::size_t first = 0; first < open.size(); ++first) {
        if (used[first])
            continue;
        Ring ring;
        std::size_t current = first;
        // Each chain joins one ring; broken data can't make the walk go round forever.
        for (std::size_t step = 0; step <= open.size(); ++step) {
            used[current] = true;
            ring.push_back(edge.pointAt(entry[current]));
            ring.insert(ring.end(), open[current].begin(), open[current].end());
            ring.push_back(edge.pointAt(exit[current]));
            std::size_t next = first;
            double nearest = edge.length() * 2.0;
            for (std::size_t j = 0; j < open.size(); ++j) {
                if (used[j] && j != first)
                    continue;
                const double d = edge.ahead(exit[current], entry[j]);
                if (d < nearest) {
                    nearest = d;
                    next = j;
                }
            }
            edge.cornersBetween(exit[current], nearest, ring);
            if (next == first)
                break;
            current = next;
        }
        ring.push_back(ring.front());
        sea.push_back(std::move(ring));
    }
    return sea;
}
