#pragma once

#include "log/MapSource.h"
#include "log/TileCache.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class MapData;
class MapFile;
class MapTile;

// A prepared map as the map page's source: a view is drawn from the tiles of the zoom
// band of its scale that meet it, a look-up reads the exact band's tiles around the point
// and the places' tiles within a city's reach. The tiles join into one MapData (the runs
// of a road back into the road), kept until the view or the car moves to other tiles;
// read tiles stay in a cache of fixed size.
class PreparedMap : public MapSource {
public:
    static constexpr std::size_t TileBudget = std::size_t(32) << 20;

    explicit PreparedMap(std::unique_ptr<MapFile> file, std::size_t tileBudget = TileBudget);
    ~PreparedMap() override;

    GeoBox bounds() const override;
    std::shared_ptr<const MapData> drawing(const GeoBox &box, double metresPerPixel) override;
    std::shared_ptr<const MapData> lookUp(double latitude, double longitude) override;
    void setDamageReport(std::function<void()> report) override { m_report = std::move(report); }

    const MapFile &file() const { return *m_file; }
    // Tiles that failed their checks and were left out.
    int damagedTiles() const { return m_damaged; }
    const TileCache &cache() const { return m_cache; }
    // The band a view at the scale is drawn from.
    std::size_t drawingBand(double metresPerPixel) const;

    struct Range {
        std::size_t band = 0;
        std::uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        friend bool operator==(const Range &, const Range &) = default;
    };

private:
    class Composer;

    std::optional<Range> rangeOf(std::size_t band, const GeoBox &box) const;
    std::shared_ptr<const MapTile> tile(std::size_t band, std::uint32_t x, std::uint32_t y);
    std::optional<std::size_t> bandWith(std::uint32_t role) const;

    std::unique_ptr<MapFile> m_file;
    TileCache m_cache;
    int m_damaged = 0;
    std::function<void()> m_report;
    std::optional<Range> m_drawnRange;
    std::shared_ptr<const MapData> m_drawn;
    std::optional<std::pair<Range, Range>> m_lookUpRanges;
    std::shared_ptr<const MapData> m_lookUp;
};
