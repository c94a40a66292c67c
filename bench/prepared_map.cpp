// A country's map: a made-up extract of 20 million nodes (the map tool's country, written
// once into a cache directory and kept), prepared with the import; then what the driver
// waits for with the prepared map: opening it and drawing the first frame, a look-up per
// fix, a redraw at each zoom step. Peak memory is measured in a child process of its own
// for the import and for the program's side.
#include "../tools/map/SyntheticCountry.h"
#include "log/LabelSprites.h"
#include "log/MapData.h"
#include "log/MapFile.h"
#include "log/MapImporter.h"
#include "log/MapPainter.h"
#include "log/MapViewport.h"
#include "log/PlaceFinder.h"
#include "log/PreparedMap.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

namespace {

const QString CacheDir = QStringLiteral(ROVANA_BENCH_CACHE);

SyntheticCountry::Plan countryPlan() { return {}; }

QString extractPath()
{
    QDir().mkpath(CacheDir);
    const QString path = CacheDir + QStringLiteral("/country-1500.osm.pbf");
    if (!QFile::exists(path)) {
        SyntheticCountry::Written written;
        // The format goes by the name's ending: the part keeps it.
        const QString part = CacheDir + QStringLiteral("/country-1500.part.osm.pbf");
        if (!SyntheticCountry::write(part, countryPlan(), written) || !QFile::rename(part, path))
            return {};
    }
    return path;
}

QString preparedPath() { return CacheDir + QStringLiteral("/country-1500.rovanamap"); }

// Runs work in a child process: its peak resident memory in MiB, negative on failure.
double peakMiBOf(const std::function<bool()> &work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work() ? 0 : 1);
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1.0;
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_Import(benchmark::State &state)
{
    const QString extract = extractPath();
    if (extract.isEmpty()) {
        state.SkipWithError("cannot write the country");
        return;
    }
    double peak = 0.0;
    double seconds = 0.0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        peak = peakMiBOf([&] {
            const std::atomic<bool> never{false};
            return MapImporter::run(extract, preparedPath(), never).ok;
        });
        seconds = timer.elapsed() / 1000.0;
    }
    if (peak < 0) {
        state.SkipWithError("import failed");
        return;
    }
    SyntheticCountry::Plan plan = countryPlan();
    const double nodes = double(plan.streets) * plan.streets * (1 + 2 * plan.pointsPerBlock);
    state.counters["nodes"] = nodes;
    state.counters["nodes_per_s"] = nodes / seconds;
    state.counters["peak_RSS_MiB"] = peak;
    state.counters["extract_MiB"] = double(QFile(extract).size()) / (1 << 20);
    state.counters["map_MiB"] = double(QFile(preparedPath()).size()) / (1 << 20);
}
BENCHMARK(BM_Import)->Unit(benchmark::kSecond)->Iterations(1);

void centreOfCountry(double &latitude, double &longitude)
{
    const SyntheticCountry::Plan plan = countryPlan();
    SyntheticCountry::crossing(plan, plan.streets / 2, plan.streets / 2, latitude, longitude);
    latitude += 0.0003; // between streets
}

QImage frame(PreparedMap &map, const MapViewport &view, LabelSprites &sprites)
{
    QImage image(view.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    const auto data = map.drawing(view.visibleBox(32), view.metresPerPixel());
    MapPainter(*data, view, sprites).paint(painter);
    return image;
}

void BM_OpenToFirstFrame(benchmark::State &state)
{
    double lat = 0, lon = 0;
    centreOfCountry(lat, lon);
    const MapViewport view(lat, lon, double(state.range(0)), QSize(792, 369));
    for (auto _ : state) {
        MapFile::Opened opened = MapFile::open(preparedPath());
        if (!opened.file) {
            state.SkipWithError(opened.error.toStdString().c_str());
            return;
        }
        PreparedMap map(std::move(opened.file));
        LabelSprites sprites;
        benchmark::DoNotOptimize(frame(map, view, sprites));
    }
}
BENCHMARK(BM_OpenToFirstFrame)->Arg(1)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_LookUpAlongADrive(benchmark::State &state)
{
    MapFile::Opened opened = MapFile::open(preparedPath());
    if (!opened.file) {
        state.SkipWithError(opened.error.toStdString().c_str());
        return;
    }
    PreparedMap map(std::move(opened.file));
    double lat = 0, lon = 0;
    centreOfCountry(lat, lon);
    // A fix a second at 50 km/h eastwards along a street, then on (and a new tile now and
    // then).
    double step = 0;
    int named = 0;
    for (auto _ : state) {
        const double east = lon + step * 14.0 / 74000.0;
        step = step > 20000 ? 0 : step + 1;
        named += !PlaceFinder(*map.lookUp(lat, east)).placeAt(lat, east, 90.0).isEmpty();
    }
    state.counters["named"] = benchmark::Counter(double(named), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LookUpAlongADrive)->Unit(benchmark::kMicrosecond);

void BM_LookUpAnywhere(benchmark::State &state)
{
    MapFile::Opened opened = MapFile::open(preparedPath());
    if (!opened.file) {
        state.SkipWithError(opened.error.toStdString().c_str());
        return;
    }
    PreparedMap map(std::move(opened.file));
    const SyntheticCountry::Plan plan = countryPlan();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> street(0, plan.streets - 1);
    for (auto _ : state) {
        double lat = 0, lon = 0;
        SyntheticCountry::crossing(plan, street(random), street(random), lat, lon);
        benchmark::DoNotOptimize(PlaceFinder(*map.lookUp(lat, lon)).placeAt(lat, lon));
    }
}
BENCHMARK(BM_LookUpAnywhere)->Unit(benchmark::kMillisecond);

// The peak resident memory of this process since the last reset, MiB.
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1.0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return -1.0;
}

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// The program's side: open, draw at every zoom step, look up along a drive across the
// country. Measured in this process (Qt and the fonts included, as in the program): a child
// forked from a process with Qt's threads may wait forever on a lock taken at the fork.
void BM_ProgramPeakMemory(benchmark::State &state)
{
    double peak = 0.0;
    for (auto _ : state) {
        resetPeak();
        MapFile::Opened opened = MapFile::open(preparedPath());
        if (!opened.file) {
            state.SkipWithError(opened.error.toStdString().c_str());
            return;
        }
        PreparedMap map(std::move(opened.file));
        double lat = 0, lon = 0;
        centreOfCountry(lat, lon);
        LabelSprites sprites;
        for (double altitude = 1; altitude <= 4096; altitude *= 2)
            for (int pan = 0; pan < 4; ++pan) {
                const MapViewport view(lat + pan * 0.01, lon, altitude, QSize(792, 369));
                (void)frame(map, view, sprites);
            }
        for (int i = 0; i < 2000; ++i)
            (void)PlaceFinder(*map.lookUp(lat, lon + i * 0.001)).placeAt(lat, lon + i * 0.001);
        peak = peakMiB();
    }
    state.counters["peak_RSS_MiB"] = peak;
}
BENCHMARK(BM_ProgramPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
