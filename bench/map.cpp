// The map of the drivers log on a synthetic extract the size of a large city's: about
// 1,000,000 nodes and 150,000 ways in PBF. Load time and the memory the loaded map takes,
// one place look-up, one redraw of the map page at several altitudes.
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

struct BigMap {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("big.osm.pbf"));
    std::shared_ptr<const MapData> data;

    BigMap()
    {
        OsmExtract osm;
        SyntheticTown::addTo(osm, bigTown());
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
}
BENCHMARK(BM_LoadPbf)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_PlaceLookUp(benchmark::State &state)
{
    const MapData &data = *bigMap().data;
    const PlaceFinder finder(data);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(47.9, 48.1), lon(10.85, 11.15);
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.placeAt(lat(random), lon(random)));
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
BENCHMARK(BM_Redraw)->Arg(1)->Arg(8)->Arg(32)->Arg(128)->Arg(1024)->Unit(benchmark::kMillisecond);
