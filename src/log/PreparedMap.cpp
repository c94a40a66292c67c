#include "log/PreparedMap.h"

#include "log/LocalFrame.h"
#include "log/MapData.h"
#include "log/MapFile.h"
#include "log/MapTile.h"
#include "log/MapViewport.h"
#include "log/PlaceFinder.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace F = MapFileFormat;

namespace {

// A view wider than this many tiles of its band is drawn from none: the bands are made so
// that a view spans a few.
constexpr std::uint64_t MaxTilesPerView = 4096;

std::uint64_t keyOf(std::size_t band, std::uint32_t x, std::uint32_t y)
{
    return (std::uint64_t(band) << 56) | (std::uint64_t(y) << 28) | x;
}

} // namespace

// Joins tiles into one MapData.
class PreparedMap::Composer {
public:
    using RoadFilter = std::function<bool(const MapTile::Road &)>;
    using AreaFilter = std::function<bool(const MapTile::Area &)>;

    void addRoads(const std::shared_ptr<const MapTile> &tile, const RoadFilter &keep)
    {
        m_tiles.push_back(tile);
        for (const MapTile::Road &road : tile->roads())
            if (!keep || keep(road))
                m_runs.push_back({&road, tile.get()});
    }

    void addAreas(const std::shared_ptr<const MapTile> &tile, const AreaFilter &keep)
    {
        m_tiles.push_back(tile);
        for (const MapTile::Area &area : tile->areas()) {
            if (keep && !keep(area))
                continue;
            std::vector<std::vector<GeoPoint>> rings;
            for (const MapTile::Ring &ring : tile->ringsOf(area)) {
                const auto points = tile->pointsOf(ring);
                rings.emplace_back(points.begin(), points.end());
            }
            m_data->addArea(area.kind, m_data->addName(area.name), area.adminLevel, rings);
        }
    }

    void addPlaces(const MapTile &tile)
    {
        for (const MapTile::Place &place : tile.places())
            if (const auto name = m_data->addName(place.name); name != MapData::NoName)
                m_data->addPlace(place.kind, name, place.at);
    }

    std::shared_ptr<const MapData> finish()
    {
        joinRoads();
        m_data->buildIndex();
        return std::move(m_data);
    }

private:
    struct Run {
        const MapTile::Road *road;
        const MapTile *tile;
    };

    // The runs of one road from several tiles overlap by the segments that cross a tile's
    // edge; joined they give the road's points once each, as the extract has them.
    void joinRoads()
    {
        std::sort(m_runs.begin(), m_runs.end(), [](const Run &a, const Run &b) {
            return a.road->feature != b.road->feature ? a.road->feature < b.road->feature
                                                      : a.road->firstSegment < b.road->firstSegment;
        });
        std::vector<GeoPoint> points;
        const MapTile::Road *current = nullptr;
        std::uint64_t lastPoint = 0; // index in the road of points.back()
        for (const Run &run : m_runs) {
            const auto runPoints = run.tile->pointsOf(*run.road);
            const std::uint64_t first = run.road->firstSegment;
            if (current && current->feature == run.road->feature && first <= lastPoint) {
                const std::uint64_t end = first + runPoints.size() - 1;
                for (std::uint64_t i = lastPoint + 1; i <= end; ++i)
                    points.push_back(runPoints[std::size_t(i - first)]);
                lastPoint = std::max(lastPoint, end);
                continue;
            }
            flush(current, points);
            current = run.road;
            points.assign(runPoints.begin(), runPoints.end());
            lastPoint = first + runPoints.size() - 1;
        }
        flush(current, points);
    }

    void flush(const MapTile::Road *road, const std::vector<GeoPoint> &points)
    {
        if (!road)
            return;
        const std::uint32_t name = m_data->addName(road->name);
        const std::uint32_t ref = m_data->addName(road->ref);
        m_data->addRoad(road->roadClass, name, points, ref, road->level);
    }

    std::shared_ptr<MapData> m_data = std::make_shared<MapData>();
    std::vector<Run> m_runs;
    std::vector<std::shared_ptr<const MapTile>> m_tiles; // alive while the runs point in
};

PreparedMap::PreparedMap(std::unique_ptr<MapFile> file, std::size_t tileBudget)
    : m_file(std::move(file)), m_cache(tileBudget)
{
}

PreparedMap::~PreparedMap() = default;

GeoBox PreparedMap::bounds() const { return m_file->bounds(); }

std::optional<std::size_t> PreparedMap::bandWith(std::uint32_t role) const
{
    const auto &bands = m_file->bands();
    for (std::size_t b = 0; b < bands.size(); ++b)
        if (bands[b].role & role)
            return b;
    return std::nullopt;
}

std::size_t PreparedMap::drawingBand(double metresPerPixel) const
{
    const auto &bands = m_file->bands();
    std::optional<std::size_t> chosen;
    for (std::size_t b = 0; b < bands.size(); ++b) {
        if (!(bands[b].role & F::Drawn))
            continue;
        if (!chosen || bands[b].fromMetresPerPixel <= metresPerPixel)
            chosen = b;
        if (metresPerPixel < bands[b].upToMetresPerPixel)
            break;
    }
    return chosen.value_or(0);
}

std::optional<PreparedMap::Range> PreparedMap::rangeOf(std::size_t band, const GeoBox &box) const
{
    if (band >= m_file->bands().size() || !MapViewport::isPosition(box.south, box.west) ||
        !MapViewport::isPosition(box.north, box.east))
        return std::nullopt;
    const std::int32_t units = m_file->bands()[band].tileUnits;
    const GeoPoint sw =
        GeoPoint::fromDegrees(std::max(box.south, -90.0), std::max(box.west, -180.0));
    const GeoPoint ne = GeoPoint::fromDegrees(std::min(box.north, 90.0), std::min(box.east, 180.0));
    Range range{band, F::column(sw.lon, units), F::row(sw.lat, units), F::column(ne.lon, units),
                F::row(ne.lat, units)};
    if (range.x1 < range.x0 || range.y1 < range.y0 ||
        std::uint64_t(range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1) > MaxTilesPerView)
        return std::nullopt;
    return range;
}

std::shared_ptr<const MapTile> PreparedMap::tile(std::size_t band, std::uint32_t x, std::uint32_t y)
{
    const std::uint64_t key = keyOf(band, x, y);
    if (auto cached = m_cache.find(key))
        return cached;
    const auto entry = m_file->entry(band, x, y);
    if (!entry)
        return nullptr;
    auto read = m_file->tile(*entry);
    if (!read) {
        if (++m_damaged == 1 && m_report)
            m_report();
        return nullptr;
    }
    auto shared = std::make_shared<const MapTile>(std::move(*read));
    m_cache.insert(key, shared);
    return shared;
}

std::shared_ptr<const MapData> PreparedMap::drawing(const GeoBox &box, double metresPerPixel)
{
    const auto range = rangeOf(drawingBand(metresPerPixel), box);
    if (m_drawn && range == m_drawnRange)
        return m_drawn;
    Composer composer;
    if (range)
        for (std::uint32_t y = range->y0; y <= range->y1; ++y)
            for (std::uint32_t x = range->x0; x <= range->x1; ++x)
                if (const auto t = tile(range->band, x, y)) {
                    composer.addRoads(t, nullptr);
                    composer.addAreas(t, nullptr);
                    composer.addPlaces(*t);
                }
    m_drawnRange = range;
    m_drawn = composer.finish();
    return m_drawn;
}

std::shared_ptr<const MapData> PreparedMap::lookUp(double latitude, double longitude)
{
    const auto roadBand = bandWith(F::LookUpRoads);
    const auto placeBand = bandWith(F::LookUpPlaces);
    std::optional<Range> roads, places;
    if (MapViewport::isPosition(latitude, longitude)) {
        const LocalFrame frame(latitude, longitude);
        if (roadBand)
            roads = rangeOf(*roadBand, frame.around(PlaceFinder::RoadReach));
        if (placeBand)
            places = rangeOf(*placeBand, frame.around(PlaceFinder::LongestReach));
    }
    const std::pair<Range, Range> key{roads.value_or(Range{}), places.value_or(Range{})};
    if (m_lookUp && m_lookUpRanges == key)
        return m_lookUp;
    Composer composer;
    if (roads)
        for (std::uint32_t y = roads->y0; y <= roads->y1; ++y)
            for (std::uint32_t x = roads->x0; x <= roads->x1; ++x)
                if (const auto t = tile(roads->band, x, y)) {
                    composer.addRoads(t, [](const MapTile::Road &road) {
                        return road.roadClass <= LastCarRoad && !road.name.isEmpty();
                    });
                    composer.addAreas(t, [](const MapTile::Area &area) {
                        return area.kind == AreaKind::Boundary;
                    });
                }
    if (places)
        for (std::uint32_t y = places->y0; y <= places->y1; ++y)
            for (std::uint32_t x = places->x0; x <= places->x1; ++x)
                if (const auto t = tile(places->band, x, y))
                    composer.addPlaces(*t);
    m_lookUpRanges = key;
    m_lookUp = composer.finish();
    return m_lookUp;
}
