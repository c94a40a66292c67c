#include "log/RoadChains.h"

#include <deque>
#include <unordered_map>

namespace {

// A road end: its point and the road's name.
struct EndKey {
    std::uint32_t name;
    GeoPoint at;
    bool operator==(const EndKey &) const = default;
};

struct EndHash {
    std::size_t operator()(const EndKey &key) const
    {
        const std::uint64_t point =
            (std::uint64_t(std::uint32_t(key.at.lat)) << 32) | std::uint32_t(key.at.lon);
        return std::hash<std::uint64_t>()(point * 0x9E3779B97F4A7C15ull ^ key.name);
    }
};

using Ends = std::unordered_multimap<EndKey, std::size_t, EndHash>;

GeoPoint startOf(const MapData &data, const MapData::Piece &run)
{
    return data.points()[run.first];
}

GeoPoint endOf(const MapData &data, const MapData::Piece &run)
{
    return data.points()[run.first + run.count - 1];
}

// Another unused run with an end at the point, taken out of the index; none: npos.
std::size_t takeRunAt(Ends &ends, const EndKey &key, const std::vector<bool> &used)
{
    auto [it, end] = ends.equal_range(key);
    for (; it != end; ++it) {
        const std::size_t run = it->second;
        if (!used[run]) {
            ends.erase(it);
            return run;
        }
    }
    return std::size_t(-1);
}

} // namespace

void RoadChains::join(const MapData &data, std::span<const MapData::Piece> runs)
{
    m_chains.clear();
    m_links.clear();
    Ends ends;
    ends.reserve(runs.size() * 2);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::uint32_t name = data.roads()[runs[i].road].name;
        ends.emplace(EndKey{name, startOf(data, runs[i])}, i);
        ends.emplace(EndKey{name, endOf(data, runs[i])}, i);
    }
    std::vector<bool> used(runs.size(), false);
    std::deque<Link> chain;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        const std::uint32_t name = data.roads()[runs[i].road].name;
        chain.assign(1, Link{runs[i].first, runs[i].count, false});
        GeoPoint tail = endOf(data, runs[i]);
        GeoPoint head = startOf(data, runs[i]);
        for (std::size_t next; (next = takeRunAt(ends, {name, tail}, used)) != std::size_t(-1);) {
            used[next] = true;
            const bool reversed = !(startOf(data, runs[next]) == tail);
            chain.push_back({runs[next].first, runs[next].count, reversed});
            tail = reversed ? startOf(data, runs[next]) : endOf(data, runs[next]);
        }
        for (std::size_t next; (next = takeRunAt(ends, {name, head}, used)) != std::size_t(-1);) {
            used[next] = true;
            const bool reversed = !(endOf(data, runs[next]) == head);
            chain.push_front({runs[next].first, runs[next].count, reversed});
            head = reversed ? endOf(data, runs[next]) : startOf(data, runs[next]);
        }
        Chain made{name, std::uint32_t(m_links.size()), std::uint32_t(chain.size()), 1,
                   runs[i].road};
        for (const Link &link : chain)
            made.pointCount += link.count - 1;
        m_links.insert(m_links.end(), chain.begin(), chain.end());
        m_chains.push_back(made);
    }
}

std::span<const RoadChains::Link> RoadChains::linksOf(const Chain &chain) const
{
    return std::span<const Link>(m_links).subspan(chain.firstLink, chain.linkCount);
}

void RoadChains::pointsOf(const MapData &data, const Chain &chain, std::vector<GeoPoint> &out) const
{
    out.clear();
    for (const Link &link : linksOf(chain)) {
        const auto points = data.points().begin() + link.first;
        // Every link after the first starts with the point the one before ended on.
        const std::uint32_t skip = out.empty() ? 0 : 1;
        for (std::uint32_t i = skip; i < link.count; ++i)
            out.push_back(link.reversed ? points[link.count - 1 - i] : points[i]);
    }
}
