// The speed-camera check per fix with the spatial index beside the plain walk over every
// camera on the same table, loading a large radar.bin, and drawing the radar map.
#include "gps/CameraCheck.h"
#include "gps/CameraTable.h"
#include "gps/RadarBin.h"
#include "gps/RadarMap.h"
#include "support/LinearCameraCheck.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <random>

namespace {

// Cameras spread over Europe, 35..70 N and 10 W..30 E, as a country-wide database would.
const std::vector<CameraRecord> &cameras(size_t count)
{
    static std::map<size_t, std::vector<CameraRecord>> made;
    auto &list = made[count];
    if (list.empty()) {
        std::mt19937 rng{unsigned(count)};
        std::uniform_real_distribution<double> lat(35, 70), lon(-10, 30);
        std::uniform_int_distribution<int> limit(30, 130);
        list.reserve(count);
        for (size_t i = 0; i < count; ++i)
            list.push_back({lat(rng), lon(rng), limit(rng)});
    }
    return list;
}

const CameraTable &table(size_t count)
{
    static std::map<size_t, std::unique_ptr<CameraTable>> made;
    auto &t = made[count];
    if (!t)
        t = std::make_unique<CameraTable>(cameras(count));
    return *t;
}

std::vector<NavFix> fixes()
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> lat(45, 55), lon(0, 15);
    std::vector<NavFix> list;
    for (int i = 0; i < 256; ++i) {
        const double la = lat(rng), lo = lon(rng);
        list.push_back({qint32(la), qint32(lo), (la - qint32(la)) * 60, (lo - qint32(lo)) * 60});
    }
    return list;
}

// The entries cover what the standard map can show at its widest scale.
constexpr double Coverage = 53.4;

void BM_CameraCheckIndexed(benchmark::State &state)
{
    const CameraTable &t = table(size_t(state.range(0)));
    const std::vector<NavFix> at = fixes();
    GpsValues gps;
    gps.ComputedCourse = 42.0;
    CameraCheck check;
    size_t i = 0;
    for (auto _ : state) {
        gps.PreviousFix = at[i++ % at.size()];
        benchmark::DoNotOptimize(check.run(t, gps, QStringLiteral("07"), Coverage));
    }
    state.counters["entries"] = double(check.MapEntries.size());
}
BENCHMARK(BM_CameraCheckIndexed)->Arg(6300)->Arg(20000)->Arg(100000)->Arg(1000000);

void BM_CameraCheckLinear(benchmark::State &state)
{
    const std::vector<CameraRecord> &list = cameras(size_t(state.range(0)));
    const std::vector<NavFix> at = fixes();
    size_t i = 0;
    for (auto _ : state) {
        const LinearCameraCheck walk(list, at[i++ % at.size()], 42.0);
        benchmark::DoNotOptimize(walk.nearestKm);
    }
}
BENCHMARK(BM_CameraCheckLinear)
    ->Arg(6300)
    ->Arg(20000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// A radar.bin of count cameras in dir; empty when it can't be written.
QString writeRadarFile(const QTemporaryDir &dir, size_t count)
{
    const QString path = dir.filePath(QStringLiteral("radar.bin"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(RadarBin::encode(cameras(count))) < 0)
        return {};
    return path;
}

// Reading, parsing and indexing a file of a million records.
void BM_LoadRadarFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeRadarFile(dir, size_t(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("can't write radar.bin");
        return;
    }
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            state.SkipWithError("can't read radar.bin");
            break;
        }
        const CameraTable t(RadarBin::parse(f.readAll()).records);
        benchmark::DoNotOptimize(t.CameraCount());
    }
}
BENCHMARK(BM_LoadRadarFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The floor for loading: reading the file's bytes and nothing more.
void BM_ReadRadarFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeRadarFile(dir, size_t(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("can't write radar.bin");
        return;
    }
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            state.SkipWithError("can't read radar.bin");
            break;
        }
        benchmark::DoNotOptimize(f.readAll().size());
    }
}
BENCHMARK(BM_ReadRadarFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The two halves of loading: reading the records from the bytes, and preparing the
// positions and the index.
void BM_ParseRadarBytes(benchmark::State &state)
{
    const QByteArray bytes = RadarBin::encode(cameras(size_t(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(RadarBin::parse(bytes).records.size());
}
BENCHMARK(BM_ParseRadarBytes)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_BuildCameraTable(benchmark::State &state)
{
    const std::vector<CameraRecord> &list = cameras(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CameraTable(list).CameraCount());
}
BENCHMARK(BM_BuildCameraTable)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Drawing a map with that many cameras on it, at 1 km (dots, brackets, texts) and 20 km.
void BM_DrawRadarMap(benchmark::State &state)
{
    const double scale = double(state.range(1)) / 10.0;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> km(0, scale * 1.2), bearing(-180, 180);
    std::vector<MapEntry> entries;
    for (int i = 0; i < state.range(0); ++i)
        entries.push_back({km(rng), bearing(rng), 50});
    QImage background(RadarMap::StandardSize, QImage::Format_RGB32);
    background.fill(QColor(30, 80, 54));
    RadarMap map(background);
    for (auto _ : state)
        benchmark::DoNotOptimize(map.DrawRadarMap(scale, 1.0, true, true, entries).bits());
}
BENCHMARK(BM_DrawRadarMap)->Args({10, 10})->Args({200, 10})->Args({10, 200})->Args({2000, 200});

} // namespace
