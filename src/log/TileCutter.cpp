#include "log/TileCutter.h"

#include "log/MapFileFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

namespace F = MapFileFormat;

constexpr double MetresPerUnit = 111319.49 / GeoPoint::Scale;

struct Flat {
    double x; // longitude, 1e-7 degrees
    double y; // latitude
};
using FlatRing = std::vector<Flat>; // open: the closing point is implied

double distanceToSegment(Flat p, Flat a, Flat b, double xScale)
{
    const double ax = (a.x - p.x) * xScale, ay = a.y - p.y;
    const double bx = (b.x - p.x) * xScale, by = b.y - p.y;
    const double dx = bx - ax, dy = by - ay;
    const double length = dx * dx + dy * dy;
    double t = length > 0.0 ? -(ax * dx + ay * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(ax + t * dx, ay + t * dy);
}

// Sutherland-Hodgman against one axis-parallel line: keeps the side below (or above) it.
FlatRing clipHalf(const FlatRing &ring, bool onX, double at, bool keepBelow)
{
    FlatRing out;
    if (ring.empty())
        return out;
    auto coord = [&](const Flat &p) {
        return onX ? p.x : p.y;
    };
    auto inside = [&](const Flat &p) {
        return keepBelow ? coord(p) <= at : coord(p) >= at;
    };
    auto cross = [&](const Flat &a, const Flat &b) {
        const double t = (at - coord(a)) / (coord(b) - coord(a));
        return onX ? Flat{at, a.y + t * (b.y - a.y)} : Flat{a.x + t * (b.x - a.x), at};
    };
    Flat previous = ring.back();
    for (const Flat &current : ring) {
        const bool in = inside(current);
        if (in != inside(previous))
            out.push_back(cross(previous, current));
        if (in)
            out.push_back(current);
        previous = current;
    }
    return out;
}

double twiceArea(const FlatRing &ring)
{
    double sum = 0.0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        sum += (ring[j].x - ring[i].x) * (ring[j].y + ring[i].y);
    return sum;
}

TileCutter::Ring closedRing(const FlatRing &ring)
{
    TileCutter::Ring out;
    for (const Flat &p : ring) {
        const GeoPoint g{std::int32_t(std::lround(p.y)), std::int32_t(std::lround(p.x))};
        if (out.empty() || !(out.back() == g))
            out.push_back(g);
    }
    while (out.size() > 1 && out.back() == out.front())
        out.pop_back();
    if (out.size() < 3)
        return {};
    out.push_back(out.front());
    return out;
}

class Clipper {
public:
    Clipper(std::int32_t tileUnits, std::vector<TileCutter::AreaPiece> &out)
        : m_units(tileUnits), m_out(out)
    {
    }

    void clip(std::vector<FlatRing> rings, std::uint32_t x0, std::uint32_t y0, std::uint32_t x1,
              std::uint32_t y1)
    {
        std::erase_if(
            rings, [](const FlatRing &r) { return r.size() < 3 || std::abs(twiceArea(r)) < 1e-6; });
        if (rings.empty())
            return;
        if (x0 == x1 && y0 == y1) {
            TileCutter::AreaPiece piece{x0, y0, {}};
            for (const FlatRing &ring : rings)
                if (TileCutter::Ring closed = closedRing(ring); !closed.empty())
                    piece.rings.push_back(std::move(closed));
            if (!piece.rings.empty())
                m_out.push_back(std::move(piece));
            return;
        }
        const bool onX = x1 - x0 >= y1 - y0;
        const std::uint32_t mid = onX ? x0 + (x1 - x0 + 1) / 2 : y0 + (y1 - y0 + 1) / 2;
        const double at = double(onX ? F::west(mid, m_units) : F::south(mid, m_units));
        std::vector<FlatRing> low, high;
        for (const FlatRing &ring : rings) {
            low.push_back(clipHalf(ring, onX, at, true));
            high.push_back(clipHalf(ring, onX, at, false));
        }
        rings.clear();
        if (onX) {
            clip(std::move(low), x0, y0, mid - 1, y1);
            clip(std::move(high), mid, y0, x1, y1);
        } else {
            clip(std::move(low), x0, y0, x1, mid - 1);
            clip(std::move(high), x0, mid, x1, y1);
        }
    }

private:
    std::int32_t m_units;
    std::vector<TileCutter::AreaPiece> &m_out;
};

} // namespace

std::vector<GeoPoint> TileCutter::simplify(std::span<const GeoPoint> points, double toleranceMetres)
{
    if (toleranceMetres <= 0.0 || points.size() < 3)
        return {points.begin(), points.end()};
    const double xScale = std::cos(points.front().latitude() * std::numbers::pi / 180.0);
    const double tolerance = toleranceMetres / MetresPerUnit;
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> stack{{0, points.size() - 1}};
    auto flat = [&](std::size_t i) {
        return Flat{double(points[i].lon), double(points[i].lat)};
    };
    while (!stack.empty()) {
        const auto [first, last] = stack.back();
        stack.pop_back();
        double worst = 0.0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double d = distanceToSegment(flat(i), flat(first), flat(last), xScale);
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        if (worst > tolerance) {
            keep[at] = true;
            stack.push_back({first, at});
            stack.push_back({at, last});
        }
    }
    std::vector<GeoPoint> out;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (keep[i])
            out.push_back(points[i]);
    return out;
}

std::vector<TileCutter::LineRun> TileCutter::splitLine(std::span<const GeoPoint> points,
                                                       std::int32_t tileUnits)
{
    // (tile, segment) pairs, then runs of consecutive segments per tile.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> cells;
    auto add = [&](std::uint32_t x, std::uint32_t y, std::uint32_t segment) {
        cells.emplace_back((std::uint64_t(y) << 32) | x, segment);
    };
    for (std::uint32_t i = 0; i + 1 < points.size(); ++i) {
        const GeoPoint a = points[i];
        const GeoPoint b = points[i + 1];
        const std::uint32_t ax = F::column(a.lon, tileUnits), bx = F::column(b.lon, tileUnits);
        const std::uint32_t ay = F::row(a.lat, tileUnits), by = F::row(b.lat, tileUnits);
        if (ax == bx) {
            for (std::uint32_t y = std::min(ay, by); y <= std::max(ay, by); ++y)
                add(ax, y, i);
            continue;
        }
        // Column by column: the rows the segment spans within each.
        for (std::uint32_t x = std::min(ax, bx); x <= std::max(ax, bx); ++x) {
            const double west = double(F::west(x, tileUnits));
            const double east = west + tileUnits;
            auto latAt = [&](double lon) {
                const double t = std::clamp((lon - a.lon) / double(b.lon - a.lon), 0.0, 1.0);
                return a.lat + t * double(b.lat - a.lat);
            };
            const double lat0 = latAt(std::max(west, double(std::min(a.lon, b.lon))));
            const double lat1 = latAt(std::min(east, double(std::max(a.lon, b.lon))));
            const auto y0 = F::row(std::int32_t(std::floor(std::min(lat0, lat1))), tileUnits);
            const auto y1 = F::row(std::int32_t(std::ceil(std::max(lat0, lat1))), tileUnits);
            for (std::uint32_t y = y0; y <= y1; ++y)
                add(x, y, i);
        }
    }
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    std::vector<LineRun> runs;
    for (const auto &[key, segment] : cells) {
        const auto x = std::uint32_t(key & 0xFFFFFFFFu);
        const auto y = std::uint32_t(key >> 32);
        if (!runs.empty() && runs.back().x == x && runs.back().y == y &&
            runs.back().lastSegment + 1 == segment) {
            runs.back().lastSegment = segment;
            continue;
        }
        runs.push_back({x, y, segment, segment});
    }
    return runs;
}

std::vector<TileCutter::AreaPiece> TileCutter::clipRings(const std::vector<Ring> &rings,
                                                         std::int32_t tileUnits)
{
    std::vector<AreaPiece> out;
    std::vector<FlatRing> flat;
    std::int32_t south = 0, west = 0, north = 0, east = 0;
    bool first = true;
    for (const Ring &ring : rings) {
        if (ring.size() < 4)
            continue;
        FlatRing f;
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            const GeoPoint p = ring[i];
            f.push_back({double(p.lon), double(p.lat)});
            if (first) {
                south = north = p.lat;
                west = east = p.lon;
                first = false;
            }
            south = std::min(south, p.lat);
            north = std::max(north, p.lat);
            west = std::min(west, p.lon);
            east = std::max(east, p.lon);
        }
        flat.push_back(std::move(f));
    }
    if (flat.empty())
        return out;
    Clipper(tileUnits, out)
        .clip(std::move(flat), F::column(west, tileUnits), F::row(south, tileUnits),
              F::column(east, tileUnits), F::row(north, tileUnits));
    return out;
}
