// Reading a large media directory into a list, and one next-letter jump across it, beside
// a bare readdir of the same directory: 10,000 tracks and 500 sub-directories.
#include "media/DirectoryReader.h"
#include "media/EntryOrder.h"
#include "media/TAUDIListbox.h"
#include "media/WindowsWildcard.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>

namespace {

struct BigDirectory {
    QTemporaryDir dir;
    BigDirectory()
    {
        const QString root = dir.path() + QLatin1Char('/');
        for (int i = 0; i < 10000; ++i) {
            const QChar initial(QLatin1Char(char('A' + (i * 7) % 26)));
            QFile f(root +
                    QStringLiteral("%1rtist %2 - Track %3.mp3").arg(initial).arg(i % 97).arg(i));
            f.open(QIODevice::WriteOnly);
        }
        for (int i = 0; i < 500; ++i)
            QDir().mkdir(root + QStringLiteral("Album %1").arg(i));
    }
    QString path() const { return dir.path(); }
};

const BigDirectory &big()
{
    static const BigDirectory d;
    return d;
}

} // namespace

static void BM_BareReaddir(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(big().path());
    for (auto _ : state) {
        DIR *d = opendir(path.constData());
        int n = 0;
        while (readdir(d))
            ++n;
        closedir(d);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_BareReaddir)->Unit(benchmark::kMillisecond);

static void BM_FillList(benchmark::State &state)
{
    TAUDIListbox list(QString::fromLatin1(TAUDIListbox::Mp3Mask));
    list.setDirectory(big().path());
    for (auto _ : state) {
        list.fill();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["entries"] = list.count();
}
BENCHMARK(BM_FillList)->Unit(benchmark::kMillisecond);

// The two halves of a fill: reading the names with the mask, then sorting them into the
// list's texts.
static void BM_ReadEntries(benchmark::State &state)
{
    const WindowsWildcard mask(QString::fromLatin1(TAUDIListbox::Mp3Mask));
    const QString path = big().path();
    for (auto _ : state) {
        const std::optional<DirectoryEntries> entries = DirectoryReader::read(path, mask);
        benchmark::DoNotOptimize(entries->size());
    }
}
BENCHMARK(BM_ReadEntries)->Unit(benchmark::kMillisecond);

static void BM_SortEntries(benchmark::State &state)
{
    const WindowsWildcard mask(QString::fromLatin1(TAUDIListbox::Mp3Mask));
    const DirectoryEntries entries = *DirectoryReader::read(big().path(), mask);
    // The texts stay until the next ones are made, as in the list.
    QStringList texts;
    for (auto _ : state) {
        texts = EntryOrder::sorted(entries);
        benchmark::DoNotOptimize(texts.size());
    }
}
BENCHMARK(BM_SortEntries)->Unit(benchmark::kMillisecond);

static void BM_NextLetterJump(benchmark::State &state)
{
    TAUDIListbox list(QString::fromLatin1(TAUDIListbox::Mp3Mask));
    list.setDirectory(big().path());
    // From the last "Y" track to the first "Z" track, near the end of the list: the search
    // runs over almost every entry.
    const int from = list.indexOfInitial(u'Z') - 1;
    for (auto _ : state) {
        list.setItemIndex(from);
        list.setItemIndex(list.nextLetterIndex());
        benchmark::DoNotOptimize(list.itemIndex());
    }
}
BENCHMARK(BM_NextLetterJump)->Unit(benchmark::kMicrosecond);
