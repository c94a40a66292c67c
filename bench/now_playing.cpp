// What each new track costs before it sounds: the cover search in a directory of 10,000
// tracks (an own picture, the case-free fallback, the star pictures) and one random walk
// through a tree of 100 directories with 100 tracks each.
#include "media/CoverSearch.h"
#include "media/TRandomFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

struct Library {
    QTemporaryDir dir;
    QString big;
    QString stars;
    QStringList starList;
    Library()
    {
        const QString root = dir.path() + QLatin1Char('/');
        big = root + QStringLiteral("Big");
        QDir().mkpath(big);
        for (int i = 0; i < 10000; ++i)
            touch(big + QStringLiteral("/Artist %1 - Track %2.mp3").arg(i % 97).arg(i));
        touch(big + QStringLiteral("/Artist 5 - Track 5.jpg"));
        touch(big + QStringLiteral("/Folder.JPG"));
        stars = root + QStringLiteral("stars/");
        QDir().mkpath(stars);
        for (int i = 0; i < 500; ++i)
            touch(stars + QStringLiteral("Star %1.jpg").arg(i));
        starList = CoverSearch::starPictures(stars);
        for (int d = 0; d < 100; ++d) {
            const QString sub = root + QStringLiteral("Tree/Artist %1/Album").arg(d);
            QDir().mkpath(sub);
            for (int t = 0; t < 100; ++t)
                touch(sub + QStringLiteral("/%1.mp3").arg(t));
        }
    }
};

const Library &library()
{
    static const Library l;
    return l;
}

} // namespace

static void BM_CoverOwnPicture(benchmark::State &state)
{
    const QString track = library().big + QStringLiteral("/Artist 5 - Track 5.mp3");
    for (auto _ : state)
        benchmark::DoNotOptimize(CoverSearch::coverFor(track, library().stars, library().starList));
}
BENCHMARK(BM_CoverOwnPicture)->Unit(benchmark::kMicrosecond);

// No exact name: the directory is listed once for the case-free match.
static void BM_CoverCaseFreeFolder(benchmark::State &state)
{
    const QString track = library().big + QStringLiteral("/Artist 6 - Track 6.mp3");
    for (auto _ : state)
        benchmark::DoNotOptimize(CoverSearch::coverFor(track, library().stars, library().starList));
}
BENCHMARK(BM_CoverCaseFreeFolder)->Unit(benchmark::kMillisecond);

static void BM_CoverStars(benchmark::State &state)
{
    const QString track = library().dir.path() + QStringLiteral("/Tree/Artist 7/Album/3.mp3");
    for (auto _ : state)
        benchmark::DoNotOptimize(CoverSearch::coverFor(track, library().stars, library().starList));
}
BENCHMARK(BM_CoverStars)->Unit(benchmark::kMicrosecond);

static void BM_RandomWalk(benchmark::State &state)
{
    TRandomFile picker(7);
    picker.setRandomizeFromHerePath(library().dir.path() + QStringLiteral("/Tree"));
    for (auto _ : state) {
        picker.Execute();
        benchmark::DoNotOptimize(picker.FileResult());
    }
}
BENCHMARK(BM_RandomWalk)->Unit(benchmark::kMicrosecond);
