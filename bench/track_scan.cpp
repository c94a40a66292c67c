// The bit-rate scan on a file whose first audio frame comes after a 20 MB tag (a large
// cover picture), beside a plain read of the same bytes in the same block size: the
// ratio of the two throughputs is what the scan costs above reading. The tag read on the
// same file shows that the picture is passed over, not read.
#include "media/TMPEGAudio.h"
#include "media/TrackInfo.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

constexpr qint64 TagBytes = 20 << 20;

QByteArray bigEndian32(quint32 v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(v >> shift & 0xFF));
    return out;
}

// Picture bytes from a fixed generator: like compressed data, with a sync byte in every
// 256 or so (a byte after it never completes a header, as in JPEG data) and a false frame
// header every 64 KiB, which the two-header test rejects.
QByteArray pictureBytes(qint64 size)
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    quint32 state = 12345;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = char(state >> 24);
        if (i > 0 && bytes[i - 1] == '\xFF')
            bytes[i] = char(bytes[i] & 0x7F);
    }
    for (qsizetype i = 100; i + 4 < bytes.size(); i += 65536)
        bytes.replace(i, 4, bigEndian32(0xFFFB9000u));
    return bytes;
}

const QString &trackPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("big-cover.mp3"));
        const QByteArray picture = pictureBytes(TagBytes - 64);
        const QByteArray apic = QByteArray("\0image/jpeg\0\3\0", 14) + picture;
        const QByteArray text = QByteArray(1, '\0') + "Title";
        QByteArray body = "APIC" + bigEndian32(quint32(apic.size())) + QByteArray(2, '\0') + apic;
        body += "TIT2" + bigEndian32(quint32(text.size())) + QByteArray(2, '\0') + text;
        quint32 size = quint32(body.size());
        QByteArray header("ID3\3\0\0", 6);
        for (int i = 3; i >= 0; --i)
            header.append(char(size >> (7 * i) & 0x7F));
        QByteArray frame = bigEndian32(0xFFFB9000u) + QByteArray(413, '\0'); // 128 kbit/s
        QFile file(p);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(header + body);
            for (int i = 0; i < 100; ++i)
                file.write(frame);
        }
        return p;
    }();
    return path;
}

void BM_BitRateScanAfter20MBTag(benchmark::State &state)
{
    const QString &path = trackPath();
    for (auto _ : state) {
        const QString text = TrackInfo::getbitrate(path);
        if (text != QStringLiteral("128 kBit/sec"))
            state.SkipWithError("wrong bit rate");
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * TagBytes);
}
BENCHMARK(BM_BitRateScanAfter20MBTag)->Unit(benchmark::kMillisecond);

void BM_PlainReadOf20MB(benchmark::State &state)
{
    const QString &path = trackPath();
    std::vector<char> block(size_t(TMPEGAudio::DefaultBlockSize));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            state.SkipWithError("can't open");
        qint64 total = 0;
        while (total < TagBytes) {
            const qint64 got = file.read(block.data(), qint64(block.size()));
            if (got <= 0)
                break;
            total += got;
        }
        benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(state.iterations() * TagBytes);
}
BENCHMARK(BM_PlainReadOf20MB)->Unit(benchmark::kMillisecond);

void BM_TagReadPastA20MBPicture(benchmark::State &state)
{
    const QString &path = trackPath();
    for (auto _ : state) {
        const TrackTags tags = TrackInfo::tagTexts(path);
        if (tags.title != QStringLiteral("Title"))
            state.SkipWithError("wrong title");
        benchmark::DoNotOptimize(tags);
    }
}
BENCHMARK(BM_TagReadPastA20MBPicture)->Unit(benchmark::kMicrosecond);

} // namespace
