#include "platform/MpvAudioPlayer.h"

#include "../media/PlayableTrack.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

// Real libmpv with the null sound output: it plays in real time and in silence.
class MpvAudio : public ::testing::Test {
protected:
    MpvAudioPlayer player{MpvAudioPlayer::Options{"null", 5000}};
    TempDir dir;
};

// Generous bounds: the machine may be loaded, but a real wait ends on the condition.
constexpr int Bound = 15000;

} // namespace

TEST_F(MpvAudio, NoFileMeansNoPositionAndNoLength)
{
    EXPECT_FALSE(player.isOpen());
    EXPECT_FALSE(player.position());
    EXPECT_FALSE(player.length());
    EXPECT_FALSE(player.play());
    EXPECT_FALSE(player.pause());
    EXPECT_FALSE(player.seek(0));
    EXPECT_FALSE(player.stop());

    // Files that can't be played: missing, not audio, a directory, a URL.
    const QString garbage = dir.write("garbage.mp3", QByteArray(5000, 'x'));
    for (const QString &path : {dir.file("missing.mp3"), garbage, dir.path(),
                                QStringLiteral("http://127.0.0.1:9/x.mp3")}) {
        EXPECT_FALSE(player.open(path)) << path.toStdString();
        EXPECT_EQ(player.fileName(), path);
        EXPECT_FALSE(player.position());
        EXPECT_FALSE(player.length());
    }
}

TEST_F(MpvAudio, PlaysPausesSeeksAndStops)
{
    const QString track = dir.write("three.mp3", PlayableTrack::bytes(3000, "Three"));
    ASSERT_TRUE(player.open(track));
    EXPECT_TRUE(player.isOpen());
    ASSERT_TRUE(player.length());
    EXPECT_NEAR(double(*player.length()), 3000, 60);
    // Opened paused at the start.
    EXPECT_EQ(player.position(), 0);

    ASSERT_TRUE(player.play());
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.position().value_or(0) >= 300; }, Bound));

    ASSERT_TRUE(player.pause());
    QTest::qWait(100); // let the pause take effect before sampling
    const qint64 paused = player.position().value_or(-1);
    QTest::qWait(300);
    EXPECT_NEAR(double(player.position().value_or(-1)), double(paused), 30);

    // Outside the track: refused, the position stays.
    EXPECT_FALSE(player.seek(*player.length() + 1));
    EXPECT_FALSE(player.seek(-1));
    EXPECT_NEAR(double(player.position().value_or(-1)), double(paused), 30);
    EXPECT_TRUE(player.seek(1500));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return qAbs(player.position().value_or(0) - 1500) <= 60; }, Bound));

    ASSERT_TRUE(player.resume());
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.position().value_or(0) >= 1700; }, Bound));

    EXPECT_TRUE(player.stop());
    EXPECT_FALSE(player.isOpen());
    EXPECT_FALSE(player.position());
    EXPECT_EQ(player.fileName(), track);
}

TEST_F(MpvAudio, StaysOpenAtTheEndWithPositionEqualToLength)
{
    const QString track = dir.write("short.mp3", PlayableTrack::bytes(800));
    ASSERT_TRUE(player.open(track));
    ASSERT_TRUE(player.play());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.position() == player.length(); }, Bound));
    QTest::qWait(200);
    EXPECT_TRUE(player.isOpen());
    EXPECT_EQ(player.position(), player.length());

    // A new open replaces the file; the old one is closed.
    const QString other = dir.write("other.mp3", PlayableTrack::bytes(1500));
    ASSERT_TRUE(player.open(other));
    EXPECT_EQ(player.position(), 0);
    EXPECT_NEAR(double(*player.length()), 1500, 60);
    // A failed open leaves no file open.
    EXPECT_FALSE(player.open(dir.file("gone.mp3")));
    EXPECT_FALSE(player.isOpen());
}
