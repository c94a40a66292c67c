// The map of the drivers log on a synthetic extract the size of a large city's: about
// 1,300,000 nodes and 225,000 ways in PBF, with a building in every block and the town
// cut into 36 municipalities whose boundaries zigzag along 400 points each. Load time and
// the memory the loaded map takes, one place look-up (street and municipality) per fix,
// one redraw of the map page at each zoom level.
#include "log/LabelSprites.h"
#include "log/MapData.h"
#include "log/MapPainter.h"
#include "log/MapReader.h"
#include "log/PlaceFinder.h"
#include "support/OsmExtract.h"
#include "support/SyntheticTown.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <random>

namespace {

// 274 streets each way, 100 m apart, a way per block with six nodes between crossings:
// 2 * 274 * 273 = 149,604 ways and 75,076 + 6 * 149,604 = 972,700 nodes.
SyntheticTown::Plan bigTown()
{
    SyntheticTown::Plan plan;
    plan.latitude = 48.0;
    plan.longitude = 11.0;
    plan.spacingMetres = 100.0;
    plan.sizeMetres = 273 * 100.0;
    plan.blocksPerWay = 1;
    plan.pointsPerBlock = 6;
    plan.name = QStringLiteral("Bigtown");
    return plan;
}

// A building in the middle of every block.
void addBuildings(OsmExtract &osm, const SyntheticTown::Plan &plan)
{
    const int count = SyntheticTown::streetCount(plan);
    const double half = SyntheticTown::halfSide(plan);
    for (int row = 0; row + 1 < count; ++row)
        for (int column = 0; column + 1 < count; ++column) {
            const double north = row * plan.spacingMetres - half + plan.spacingMetres / 2.0;
            const double east = column * plan.spacingMetres - half + plan.spacingMetres / 2.0;
            std::vector<OsmExtract::LatLon> corners;
            for (const auto &[dn, de] :
                 {std::pair{-15.0, -20.0}, {-15.0, 20.0}, {15.0, 20.0}, {15.0, -20.0}})
                corners.push_back(SyntheticTown::offset(plan, north + dn, east + de));
            osm.ring(corners, {{"building", "yes"}});
        }
}

// Municipalities in a grid of six by six, their edges zigzagging as real ones do.
void addMunicipalities(OsmExtract &osm, const SyntheticTown::Plan &plan)
{
    constexpr int Cells = 6;
    constexpr int PointsPerSide = 100;
    const double half = SyntheticTown::halfSide(plan);
    const double side = 2.0 * half / Cells;
    for (int row = 0; row < Cells; ++row)
        for (int column = 0; column < Cells; ++column) {
            const double south = -half + row * side;
            const double west = -half + column * side;
            std::vector<OsmExtract::LatLon> ring;
            auto edge = [&](double n0, double e0, double n1, double e1) {
                for (int i = 0; i < PointsPerSide; ++i) {
                    const double t = double(i) / PointsPerSide;
                    const double wiggle = (i % 2 == 0 ? 1.0 : -1.0) * 15.0 * (i > 0);
                    ring.push_back(SyntheticTown::offset(plan, n0 + (n1 - n0) * t + wiggle,
                                                         e0 + (e1 - e0) * t + wiggle));
                }
            };
            edge(south, west, south, west + side);
            edge(south, west + side, south + side, west + side);
            edge(south + side, west + side, south + side, west);
            edge(south + side, west, south, west);
            const OsmExtract::Id way = osm.ring(ring);
            osm.relation({{way, "outer"}},
                         {{"type", "boundary"},
                          {"boundary", "administrative"},
                          {"admin_level", "8"},
                          {"name", QStringLiteral("Commune %1-%2").arg(row).arg(column)}});
        }
}

struct BigMap {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("big.osm.pbf"));
    std::shared_ptr<const MapData> data;

    BigMap()
    {
        OsmExtract osm;
        SyntheticTown::addTo(osm, bigTown());
        addBuildings(osm, bigTown());
        addMunicipalities(osm, bigTown());
        osm.write(file);
        data = MapReader::readFile(file, std::atomic<bool>(false)).data;
    }
};

BigMap &bigMap()
{
    static BigMap map;
    return map;
}

} // namespace

static void BM_LoadPbf(benchmark::State &state)
{
    const QString file = bigMap().file;
    std::size_t bytes = 0;
    const std::atomic<bool> stop{false};
    for (auto _ : state) {
        MapReader::Result result = MapReader::readFile(file, stop);
        bytes = result.data ? result.data->memoryBytes() : 0;
        benchmark::DoNotOptimize(result);
    }
    state.counters["file_MiB"] = double(QFile(file).size()) / (1 << 20);
    state.counters["data_MiB"] = double(bytes) / (1 << 20);
    state.counters["ways"] = double(bigMap().data->roads().size());
    state.counters["points"] = double(bigMap().data->points().size());
    state.counters["areas"] = double(bigMap().data->areas().size());
}
BENCHMARK(BM_LoadPbf)->Unit(benchmark::kMillisecond)->Iterations(3);

// One fix: the street (with the course) and the municipality whose boundary holds it.
static void BM_PlaceLookUp(benchmark::State &state)
{
    const MapData &data = *bigMap().data;
    const PlaceFinder finder(data);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(47.9, 48.1), lon(10.85, 11.15), course(0, 360);
    int named = 0;
    for (auto _ : state) {
        const QString place = finder.placeAt(lat(random), lon(random), course(random));
        named += place.contains(QStringLiteral("Commune")) ? 1 : 0;
        benchmark::DoNotOptimize(place);
    }
    state.counters["in_a_municipality"] =
        benchmark::Counter(double(named), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlaceLookUp)->Unit(benchmark::kMicrosecond);

// One redraw of the 792 x 369 page centred on the town at the altitude given, as the
// map view does it: the names drawn by the redraws before are kept.
static void BM_Redraw(benchmark::State &state)
{
    const MapData &data = *bigMap().data;
    const MapViewport view(48.0003, 11.0004, double(state.range(0)), QSize(792, 369));
    QImage image(792, 369, QImage::Format_RGB32);
    LabelSprites sprites;
    int pieces = 0;
    int lines = 0;
    for (auto _ : state) {
        QPainter painter(&image);
        MapPainter map(data, view, sprites);
        map.paint(painter);
        pieces = map.drawnPieces();
        lines = map.drawnLines();
    }
    if (const QString dir = qEnvironmentVariable("ROVANA_SHOT_DIR"); !dir.isEmpty())
        image.save(QStringLiteral("%1/bench-map-%2.png").arg(dir).arg(state.range(0)));
    state.counters["pieces"] = pieces;
    state.counters["lines"] = lines;
    state.counters["names"] = sprites.count();
}
BENCHMARK(BM_Redraw)->RangeMultiplier(2)->Range(1, 1024)->Unit(benchmark::kMillisecond);
