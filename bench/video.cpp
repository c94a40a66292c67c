// What the video screens do most often: reading the codec tag of the entry the knob has
// just selected (once per knob step in the video list) and building the time text (once
// per position change, i.e. per frame, 25 to 60 times a second while a film plays).
#include "media/MemoryByteSource.h"
#include "media/VideoCodecTag.h"
#include "media/VideoPlayback.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray aviHead()
{
    QByteArray bytes(4096, '\0');
    bytes.replace(0, 4, "RIFF");
    bytes.replace(VideoCodecTag::Offset, 4, "xvid");
    return bytes;
}

} // namespace

static void BM_ReadVideoTypeFromFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("film.avi"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(aviHead());
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(VideoCodecTag::ReadVideoType(path));
}
BENCHMARK(BM_ReadVideoTypeFromFile);

static void BM_VideoTypeFromBytes(benchmark::State &state)
{
    const QByteArray bytes = aviHead();
    for (auto _ : state) {
        MemoryByteSource source(bytes);
        benchmark::DoNotOptimize(
            VideoCodecTag::videoType(VideoCodecTag::ReadVideoCodecTag(source)));
    }
}
BENCHMARK(BM_VideoTypeFromBytes);

static void BM_PositionText(benchmark::State &state)
{
    const QString total = VideoPlayback::totalTimeText(5421.3);
    double position = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VideoPlayback::positionText(position, total));
        position += 0.04;
    }
}
BENCHMARK(BM_PositionText);
