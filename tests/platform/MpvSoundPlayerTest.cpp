#include "platform/MpvSoundPlayer.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

// The real player with mpv's null audio output, which plays in real time: no sound card
// needed. Bounds on elapsed time are generous; only "it waited" is measured tightly.
namespace {

class MpvSoundPlayerTest : public ::testing::Test {
protected:
    qint64 waitFor(MpvSoundPlayer &player, const QString &path)
    {
        QElapsedTimer t;
        t.start();
        player.playAndWait(path);
        return t.elapsed();
    }

    TempDir dir;
};

} // namespace

TEST_F(MpvSoundPlayerTest, PlayAndWaitReturnsAtTheEndOfTheSound)
{
    MpvSoundPlayer player({"null", 20000});
    // mpv's null output reports the end up to a few hundred milliseconds early (it
    // doesn't really drain its buffer), so a 2 s sound must hold the wait for over 1 s.
    const QString wav = dir.write("exit.wav", WavFile::tone(2000));
    const qint64 ms = waitFor(player, wav);
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 15000);
    // Again on the same player: each wait ends with its own sound.
    EXPECT_GE(waitFor(player, wav), 1000);
}

TEST_F(MpvSoundPlayerTest, WaitIsBoundedWhateverTheSoundsLength)
{
    MpvSoundPlayer player({"null", 400});
    const QString wav = dir.write("long.wav", WavFile::tone(60000));
    const qint64 ms = waitFor(player, wav);
    EXPECT_GE(ms, 300);
    EXPECT_LT(ms, 10000);
}

TEST_F(MpvSoundPlayerTest, NothingToPlayReturnsAtOnce)
{
    MpvSoundPlayer player({"null", 20000});
    EXPECT_LT(waitFor(player, dir.file("missing.wav")), 2000);
    EXPECT_LT(waitFor(player, dir.write("bad.wav", QByteArray(4096, '\x5A'))), 10000);
    // Never a network stream, whatever the settings say.
    EXPECT_LT(waitFor(player, "http://192.0.2.1/alarm.wav"), 2000);
    EXPECT_LT(waitFor(player, QString()), 2000);
}

TEST_F(MpvSoundPlayerTest, PlayDoesNotWaitAndANewSoundReplacesTheOld)
{
    MpvSoundPlayer player({"null", 20000});
    const QString wav = dir.write("notify.wav", WavFile::tone(30000));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 50; ++i)
        player.play(wav);
    EXPECT_LT(t.elapsed(), 10000);
    // The background player's events are read on the event loop.
    QCoreApplication::processEvents();
    player.play(dir.file("missing.wav"));
}
