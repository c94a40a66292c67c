#include "support/TempDir.h"
#include "TrackFileWriter.h"

#include "media/BitRateProbe.h"
#include "media/TrackInfo.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>

#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace TrackFileWriter;

namespace {

// A file of the given size holding zeros only, made sparse so that it costs no disk.
QString framelessFile(const TempDir &dir, qint64 size)
{
    const QString path = dir.file("silence.mp3");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(file.resize(size));
    return path;
}

} // namespace

TEST(TrackInfo, ShowTrackTagsFillsBothLabels)
{
    TempDir dir;
    const QString tagged = dir.write(
        "a.mp3",
        tag(3, 0, frame23("TIT2", latin1Text("Song")) + frame23("TPE1", latin1Text("Singer"))) +
            cbr128(2));
    QLabel title(QStringLiteral("previous"));
    QLabel artist(QStringLiteral("previous"));
    TrackInfo::ShowTrackTags(tagged, &title, &artist);
    EXPECT_EQ(title.text(), "Song");
    EXPECT_EQ(artist.text(), "Singer");

    // Missing texts, a file without any tag, a missing file: the fixed texts.
    const QString titleOnly =
        dir.write("b.mp3", tag(4, 0, frame24("TIT2", utf8Text("Alone"))) + cbr128(2));
    TrackInfo::ShowTrackTags(titleOnly, &title, &artist);
    EXPECT_EQ(title.text(), "Alone");
    EXPECT_EQ(artist.text(), "No Artist in ID3");
    for (const QString &path : {dir.write("c.mp3", cbr128(2)), dir.file("missing.mp3")}) {
        TrackInfo::ShowTrackTags(path, &title, &artist);
        EXPECT_EQ(title.text(), "No Title in ID3");
        EXPECT_EQ(artist.text(), "No Artist in ID3");
    }
    TrackInfo::ShowTrackTags(tagged, nullptr, &artist); // a screen without a title label
    EXPECT_EQ(artist.text(), "Singer");
}

TEST(TrackInfo, BitRateTexts)
{
    TempDir dir;
    const QByteArray stereo = mpegHeader(3, 3, 9, 0);
    EXPECT_EQ(TrackInfo::getbitrate(dir.write("cbr.mp3", tag(3, 0, {}, 200) + cbr128(3))),
              "128 kBit/sec");
    EXPECT_EQ(TrackInfo::getbitrate(
                  dir.write("vbr.mp3", mpegFrame(stereo, 417, 36) + mpegFrame(stereo, 417))),
              "variable b/r");
    QByteArray vbri = mpegFrame(stereo, 417);
    vbri.replace(TMPEGAudio::VbriOffset, 4, "VBRI");
    EXPECT_EQ(TrackInfo::getbitrate(dir.write("vbri.mp3", vbri + mpegFrame(stereo, 417))),
              "variable b/r");
    // A cover in the tag holding a pair of 96 kbit/s "frames" before a Xing file's audio.
    const QByteArray h96 = mpegHeader(3, 3, 7, 0);
    const QByteArray picture = QByteArray("\0image/jpeg\0\3\0", 14) + mpegFrame(h96, 313) + h96;
    EXPECT_EQ(TrackInfo::getbitrate(dir.write("covered.mp3", tag(3, 0, frame23("APIC", picture)) +
                                                                 mpegFrame(stereo, 417, 36) +
                                                                 mpegFrame(stereo, 417))),
              "variable b/r");
    EXPECT_EQ(TrackInfo::getbitrate(dir.write("none.mp3", QByteArray(5000, 'x'))), "0 kBit/sec");
    EXPECT_EQ(TrackInfo::getbitrate(dir.write("short.mp3", "\xFF\xFB\x90")), "0 kBit/sec");
    EXPECT_EQ(TrackInfo::getbitrate(dir.file("missing.mp3")), "0 kBit/sec");
    EXPECT_EQ(TrackInfo::getbitrate(dir.path()), "0 kBit/sec"); // a directory
    // A failed read and a stopped scan give the empty text that clears the label.
    EXPECT_EQ(TrackInfo::bitRateText({TMPEGAudio::Outcome::ReadError}), "");
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(TrackInfo::getbitrate(dir.file("cbr.mp3"), stop.get_token()), "");
}

TEST(BitRateProbe, DeliversTheResultThroughTheEventLoop)
{
    TempDir dir;
    const QString path = dir.write("cbr.mp3", cbr128(3));
    BitRateProbe probe;
    QSignalSpy spy(&probe, &BitRateProbe::finished);
    probe.start(path);
    EXPECT_EQ(spy.count(), 0); // start() never waits for the scan
    ASSERT_TRUE(spy.wait(10000));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), path);
    EXPECT_EQ(spy.at(0).at(1).toString(), "128 kBit/sec");
}

TEST(BitRateProbe, OnlyTheLastStartIsAnswered)
{
    TempDir dir;
    const QString large = framelessFile(dir, 50 << 20);
    const QString small = dir.write("small.mp3", cbr128(3));
    BitRateProbe probe;
    QSignalSpy spy(&probe, &BitRateProbe::finished);
    probe.start(large);
    probe.start(small);
    ASSERT_TRUE(spy.wait(10000));
    QCoreApplication::processEvents();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), small);

    // A cancelled scan never answers, even when its result was already on its way.
    probe.start(small);
    probe.cancel();
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);

    // A 50 MB file without frames: answered with 0 kBit/sec, off the caller's thread.
    probe.start(large);
    EXPECT_EQ(spy.count(), 1);
    ASSERT_TRUE(spy.wait(60000));
    EXPECT_EQ(spy.at(1).at(1).toString(), "0 kBit/sec");
}

TEST(BitRateProbe, DestroyingTheProbeStopsItsScanAndNothingArrivesAfterwards)
{
    // A scan that runs until it is asked to stop (or a minute has passed, which fails the
    // test), and answers even then.
    struct Scan {
        std::mutex mutex;
        std::condition_variable_any changed;
        bool running = false;
        bool stoppedByRequest = false;
    } scan;
    auto endless = [&scan](const QString &, std::stop_token stop) {
        std::unique_lock lock(scan.mutex);
        scan.running = true;
        scan.changed.notify_all();
        scan.changed.wait_for(lock, stop, std::chrono::minutes(1), [] { return false; });
        scan.stoppedByRequest = stop.stop_requested();
        return QStringLiteral("128 kBit/sec");
    };
    int answers = 0;
    QObject receiver;
    auto probe = std::make_unique<BitRateProbe>(nullptr, endless);
    QObject::connect(probe.get(), &BitRateProbe::finished, &receiver, [&answers] { ++answers; });
    probe->start(QStringLiteral("endless.mp3"));
    {
        std::unique_lock lock(scan.mutex);
        scan.changed.wait(lock, [&scan] { return scan.running; });
    }
    probe.reset(); // returns once the worker has seen the stop request
    EXPECT_TRUE(scan.stoppedByRequest);
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, 0);

    // A quick scan whose answer may be queued already when the probe goes: dropped too.
    auto quick = std::make_unique<BitRateProbe>(
        nullptr, [](const QString &, std::stop_token) { return QStringLiteral("1 kBit/sec"); });
    QObject::connect(quick.get(), &BitRateProbe::finished, &receiver, [&answers] { ++answers; });
    quick->start(QStringLiteral("quick.mp3"));
    quick.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, 0);
}
