#include "core/Screen.h"
#include "platform/MpvAudioPlayer.h"
#include "widgets/LevelBar.h"

#include "NowPlayingFixture.h"
#include "PlayableTrack.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

constexpr int Bound = 20000;

// The whole window with the real libmpv player on its null output, its real timers and
// short generated tracks: a.mp3 and c.mp3 play, b.mp3 can't be decoded.
class RealPlayback : public ::testing::Test, public NowPlayingFixture {
protected:
    void SetUp() override
    {
        musicDir.write("a.mp3", PlayableTrack::bytes(700, "Alpha", "Band"));
        musicDir.write("b.mp3", QByteArray(20000, 'b'));
        musicDir.write("c.mp3", PlayableTrack::bytes(1200, "Gamma", "Band"));
        Services services;
        services.audio = std::make_unique<MpvAudioPlayer>(MpvAudioPlayer::Options{"null", 5000});
        start({}, {}, std::move(services));
    }
    QString track(const char *name) const { return music() + "/" + name; }
    bool playingTrack(const char *name) const
    {
        return playingFile() == track(name) && playing().progressMaximum() > 0;
    }
};

} // namespace

TEST_F(RealPlayback, PlaysPausesAndResumes)
{
    select("c.mp3");
    ASSERT_TRUE(playingTrack("c.mp3"));
    EXPECT_NEAR(double(playing().progressMaximum()), 1200, 60);
    EXPECT_EQ(view().MP3Title->text(), "Gamma");
    EXPECT_EQ(symbol(), "4");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return form->navigator().activeScreen() == Screen::MP3Album; }, Bound));

    // The display update shows the position moving on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return playing().progressPosition() > 0; }, Bound));
    EXPECT_GT(view().MP3ProgressBar->value(), 0);
    EXPECT_TRUE(view().MP3TimeLabel->text().startsWith(" 00:0"));
    EXPECT_TRUE(view().MP3TimeLabel->text().endsWith("..00:01"));

    playing().Panel2Click();
    EXPECT_EQ(options().Panel2->text(), "Resume");
    EXPECT_EQ(symbol(), ";");
    QTest::qWait(100);
    const qint64 paused = form->audio().position().value_or(-1);
    QTest::qWait(400);
    EXPECT_NEAR(double(form->audio().position().value_or(-1)), double(paused), 30);
    playing().Panel2Click();
    EXPECT_EQ(options().Panel2->text(), "Pause");
    EXPECT_EQ(symbol(), "4");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return form->audio().position().value_or(0) > paused + 100 ||
                   playingFile() != track("c.mp3");
        },
        Bound));
}

TEST_F(RealPlayback, EndOfTrackAdvancesPastTheBadFileAndWraps)
{
    select("a.mp3");
    ASSERT_TRUE(playingTrack("a.mp3"));
    // At the end the display update moves on; b.mp3 fails to open and is passed over.
    ASSERT_TRUE(QTest::qWaitFor([&] { return playingTrack("c.mp3"); }, Bound));
    EXPECT_EQ(selected(), "c.mp3");
    EXPECT_EQ(view().MP3Title->text(), "Gamma");
    // From the last entry the walk wraps to the first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return playingTrack("a.mp3"); }, Bound));
    EXPECT_EQ(selected(), "a.mp3");
    EXPECT_EQ(scroller(), track("a.mp3"));
}

TEST_F(RealPlayback, PreviousOnTheFirstEntryAndForwardNearTheEnd)
{
    select("a.mp3");
    ASSERT_TRUE(playingTrack("a.mp3"));
    playing().BitBtn2Click();
    EXPECT_TRUE(playingTrack("c.mp3"));
    EXPECT_EQ(selected(), "c.mp3");

    // Within the last 10 s, forward is refused and playback goes on where it was.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->audio().position().value_or(0) > 200; }, Bound));
    const qint64 before = form->audio().position().value_or(-1);
    playing().Button7Click();
    const qint64 after = form->audio().position().value_or(-1);
    EXPECT_GE(after, before);
    EXPECT_LT(after, before + 300);
    EXPECT_TRUE(playingTrack("c.mp3"));
    EXPECT_EQ(symbol(), "4");
}
