#include "app/MainMenuBar.h"
#include "app/OptionsScreen.h"
#include "app/TopBar.h"
#include "support/RecordingVideoPlayer.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include "VideoFixture.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>

namespace {

// The window with a fake video service: the service's notifications are delivered by
// the test, so every step of the screens can be looked at.
class VideoPlaybackTest : public ::testing::Test, public VideoFixture {
protected:
    void SetUp() override
    {
        videoDir.write("b.avi", "x");
        videoDir.write("a.mpg", "x");
        player = start(std::make_unique<RecordingVideoPlayer>());
    }
    QString film() const { return videos() + "/b.avi"; }
    // Plays b.avi, which then opens with the given length and plays from its start.
    void playFilm(double length = 400)
    {
        open("b.avi");
        player->deliverOpen(length);
        player->clear();
    }
    void focus(PanelButton *entry) { panel().focus().focus(entry); }
    LevelBar *cpuBar() const { return form->topBar()->CpuMeter; }

    RecordingVideoPlayer *player = nullptr;
};

} // namespace

TEST_F(VideoPlaybackTest, PlayingAFilmShowsItWindowedWithItsTimes)
{
    open("b.avi");
    EXPECT_EQ(player->calls(), QStringList{"open " + film()});
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_EQ(form->navigator().title(), "Video playing");
    EXPECT_EQ(sounds->played(), QStringList{"play " + programDir.path() + "movie.wav"});
    EXPECT_TRUE(video().moviePanel()->isVisible());
    EXPECT_EQ(video().moviePanel()->geometry(), QRect(0, 144, 800, 398));
    EXPECT_TRUE(cpuBar()->isVisible());
    EXPECT_FALSE(form->marker().isVisible());
    EXPECT_EQ(timeField(), " loading...");
    EXPECT_EQ(overlay(), " loading...");
    EXPECT_EQ(panel().MovieName->text(), "b.avi");
    EXPECT_EQ(panel().Panel26->text(), "Pause");
    EXPECT_EQ(panel().Panel28->text(), "Full");
    EXPECT_TRUE(video().videoPlaying());

    player->deliverOpen(125.7); // two minutes and five whole seconds
    EXPECT_EQ(video().totalTime(), "02:05");
    player->deliverPosition(61.9);
    EXPECT_EQ(timeField(), " 01:01..02:05");
    EXPECT_EQ(overlay(), " 01:01..02:05");
    EXPECT_FALSE(video().Movie_progress_onstage->isVisible()); // shown only by a skip

    // A second film stops the first before it opens.
    player->clear();
    form->navigator().showScreen(Screen::Vide_select);
    open("a.mpg");
    EXPECT_EQ(player->calls(), (QStringList{"stop", "open " + videos() + "/a.mpg"}));
}

TEST_F(VideoPlaybackTest, TimeTexts)
{
    EXPECT_EQ(VideoPlayback::totalTimeText(0), "00:00");
    EXPECT_EQ(VideoPlayback::totalTimeText(59.99), "00:59");
    EXPECT_EQ(VideoPlayback::totalTimeText(6000), "100:00");
    EXPECT_EQ(VideoPlayback::totalTimeText(-3), "00:00");
    EXPECT_EQ(VideoPlayback::positionText(3599, "60:00"), " 59:59..60:00");
}

TEST_F(VideoPlaybackTest, SkipsStayWithinTheFilmAndShowTheOverlay)
{
    playFilm(400);
    player->setPosition(10);
    key('R'); // 1/400 of the length
    EXPECT_DOUBLE_EQ(player->position(), 11);
    key('T'); // 1/1000
    EXPECT_DOUBLE_EQ(player->position(), 11.4);
    key('Z');
    key('L');
    EXPECT_DOUBLE_EQ(player->position(), 10);
    EXPECT_TRUE(video().Movie_progress_onstage->isVisible());
    EXPECT_TRUE(video().Movie_progress_onstage_timer.isActive());
    EXPECT_EQ(video().Movie_progress_onstage_timer.interval(), 8000);

    player->setPosition(399.5);
    key('R');
    EXPECT_DOUBLE_EQ(player->position(), 400);
    key('T');
    EXPECT_DOUBLE_EQ(player->position(), 400);
    player->setPosition(0.3);
    key('L');
    EXPECT_DOUBLE_EQ(player->position(), 0);
    key('Z');
    EXPECT_DOUBLE_EQ(player->position(), 0);

    video().Movie_progress_onstage_timerTimer();
    EXPECT_FALSE(video().Movie_progress_onstage->isVisible());
    EXPECT_FALSE(video().Movie_progress_onstage_timer.isActive());

    // A film of unknown length doesn't jump to its start.
    form->navigator().showScreen(Screen::Vide_select);
    open("a.mpg");
    player->deliverOpen(0);
    player->setPosition(12);
    player->clear();
    key('R');
    EXPECT_TRUE(player->calls().isEmpty());

    // Before the film has opened nothing moves, but the overlay still shows.
    form->navigator().showScreen(Screen::Vide_select);
    open("a.mpg");
    player->clear();
    key('R');
    EXPECT_TRUE(player->calls().isEmpty());
    EXPECT_TRUE(video().Movie_progress_onstage->isVisible());
}

TEST_F(VideoPlaybackTest, OptionsRingWrapsAndHidesAfterFifteenSeconds)
{
    playFilm();
    key('C');
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(focused(), panel().Panel27); // Show
    EXPECT_EQ(panel().Panel27->textColour(), QColor(Qt::white));
    EXPECT_TRUE(panel().Panel27->font().bold());
    EXPECT_EQ(video().MovieOptionsPanelDisappearTimer.interval(), 15000);
    EXPECT_TRUE(video().MovieOptionsPanelDisappearTimer.isActive());

    key('L');
    EXPECT_EQ(focused(), panel().Panel30); // Main
    key('L');
    EXPECT_EQ(focused(), panel().Panel28); // Full: the ring goes round
    EXPECT_EQ(panel().Panel30->textColour(), QColor(Qt::black));
    key('R');
    EXPECT_EQ(focused(), panel().Panel30);
    keys("RRRRRRR");
    EXPECT_EQ(focused(), panel().Panel28);

    // Height has no action; Q is no key of the panel.
    focus(panel().HeightPanel);
    player->clear();
    key('C');
    key('Q');
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(focused(), panel().HeightPanel);
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_TRUE(player->calls().isEmpty());

    video().MovieOptionsPanelDisappearTimerTimer();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(video().MovieOptionsPanelDisappearTimer.isActive());
    key('Q'); // the panel is gone: Q leaves the film for the main menu
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
}

TEST_F(VideoPlaybackTest, ThePanelsKeysActOnItWhateverScreenLiesBelow)
{
    playFilm();
    key('C');
    form->navigator().showScreen(Screen::Settings); // say, a speed-camera alert left it there
    const int page = form->options()->page();
    key('R');
    EXPECT_EQ(focused(), panel().Panel26);
    key('C'); // Pause, not the options' next page
    EXPECT_EQ(form->options()->page(), page);
    EXPECT_EQ(panel().Panel26->text(), "Resume");
    EXPECT_EQ(focused(), panel().Panel27);
    form->navigator().showScreen(Screen::MP3Start);
    key('R');
    EXPECT_EQ(focused(), panel().Panel26);
    EXPECT_EQ(form->mainMenu()->highlighted(), 0); // not the main menu's next entry
}

TEST_F(VideoPlaybackTest, ZoomEditStepsByTenAndNeverBelowTen)
{
    playFilm();
    key('C');
    focus(panel().ZoomPanel);
    key('C');
    EXPECT_TRUE(panel().zoomEdit());
    EXPECT_EQ(panel().ZoomPanel->textColour(), QColor(Qt::yellow));
    key('R');
    EXPECT_EQ(player->displaySize(), VideoPlayer::DisplaySize::Custom);
    EXPECT_EQ(player->zoom(), 110);
    EXPECT_EQ(panel().ZoomPanel->text(), "110 %");
    EXPECT_EQ(focused(), panel().ZoomPanel);
    for (int i = 0; i < 10; ++i)
        key('L');
    EXPECT_EQ(player->zoom(), 10);
    EXPECT_EQ(panel().ZoomPanel->text(), "10 %");
    key('L'); // 0 % is refused by the service
    EXPECT_EQ(player->zoom(), 10);
    EXPECT_EQ(panel().ZoomPanel->text(), "10 %");

    key('C');
    EXPECT_FALSE(panel().zoomEdit());
    EXPECT_EQ(focused(), panel().Panel27);
    EXPECT_EQ(panel().ZoomPanel->textColour(), QColor(Qt::black));

    // The auto-hide ends the zoom edit.
    focus(panel().ZoomPanel);
    key('C');
    video().MovieOptionsPanelDisappearTimerTimer();
    EXPECT_FALSE(panel().zoomEdit());
    EXPECT_EQ(panel().ZoomPanel->textColour(), QColor(Qt::black));
}

TEST_F(VideoPlaybackTest, LumiEditStepsTheBrightnessKnob)
{
    playFilm();
    QSlider *knob = form->options()->Knob1;
    knob->setValue(248);
    key('C');
    focus(panel().LumiPanel);
    key('C');
    EXPECT_TRUE(panel().lumiEdit());
    EXPECT_EQ(panel().LumiPanel->textColour(), QColor(Qt::yellow));
    form->options()->Knob1Label->setText("256");
    key('R');
    key('R');
    EXPECT_EQ(knob->value(), 256);
    EXPECT_EQ(panel().LumiPanel->text(), "256");
    key('L');
    EXPECT_EQ(knob->value(), 248);
    EXPECT_EQ(focused(), panel().LumiPanel);

    // The auto-hide leaves the Lumi edit on.
    video().MovieOptionsPanelDisappearTimerTimer();
    EXPECT_TRUE(panel().lumiEdit());
    key('C');
    focus(panel().LumiPanel);
    EXPECT_EQ(panel().LumiPanel->textColour(), QColor(Qt::yellow));
    key('C');
    EXPECT_FALSE(panel().lumiEdit());
    EXPECT_EQ(panel().LumiPanel->text(), "Lumi");
    EXPECT_EQ(focused(), panel().Panel27);
    EXPECT_EQ(panel().LumiPanel->textColour(), QColor(Qt::black));
}

TEST_F(VideoPlaybackTest, PauseAndResume)
{
    playFilm(100);
    key('C');
    focus(panel().Panel26);
    key('C');
    EXPECT_EQ(player->calls(), QStringList{"pause"});
    EXPECT_TRUE(video().videoPaused());
    EXPECT_EQ(panel().Panel26->text(), "Resume");
    EXPECT_EQ(focused(), panel().Panel27);
    EXPECT_TRUE(video().MovieOptionsPanelDisappearTimer.isActive());

    player->deliverPosition(5);
    focus(panel().Panel26);
    key('C');
    EXPECT_EQ(player->calls(), (QStringList{"pause", "play"}));
    EXPECT_FALSE(video().videoPaused());
    EXPECT_EQ(panel().Panel26->text(), "Pause");
    EXPECT_EQ(overlay(), "Loading...");
    player->deliverPosition(5.5); // the same text as the time field: nothing changes
    EXPECT_EQ(overlay(), "Loading...");
    player->deliverPosition(6);
    EXPECT_EQ(overlay(), " 00:06..01:40");
}

TEST_F(VideoPlaybackTest, FullAndNormal)
{
    playFilm();
    key('C');
    focus(panel().Panel28);
    key('C');
    EXPECT_EQ(panel().Panel28->text(), "Normal");
    EXPECT_EQ(video().moviePanel()->geometry(), QRect(0, 0, 800, 600));
    EXPECT_TRUE(video().moviePanel()->isVisible());
    EXPECT_FALSE(cpuBar()->isVisible());
    EXPECT_TRUE(panel().isVisible()); // above the picture
    EXPECT_EQ(player->calls(), (QStringList{"zoom 110", "zoom 100"}));
    EXPECT_EQ(focused(), panel().Panel27);

    focus(panel().Panel28);
    key('C');
    EXPECT_EQ(panel().Panel28->text(), "Full");
    EXPECT_EQ(video().moviePanel()->geometry(), QRect(0, 144, 800, 398));
    EXPECT_TRUE(cpuBar()->isVisible());

    // Whatever lays the picture out windowed, Full is offered again.
    video().ShowVideoFullScreen();
    video().ShowVideoWindowed();
    EXPECT_EQ(panel().Panel28->text(), "Full");
}

TEST_F(VideoPlaybackTest, MainLeavesTheFilmPlayingAndVideoReturnsToIt)
{
    playFilm();
    key('C');
    focus(panel().Panel28);
    key('C'); // full window
    focus(panel().Panel30);
    player->clear();
    key('C'); // Main
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_EQ(form->navigator().title(), "Main");
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(video().moviePanel()->isVisible());
    EXPECT_FALSE(video().Movie_progress_onstage->isVisible());
    EXPECT_TRUE(cpuBar()->isVisible());
    EXPECT_EQ(panel().Panel28->text(), "Full");
    EXPECT_TRUE(player->calls().isEmpty()); // not stopped
    EXPECT_TRUE(video().videoPlaying());

    form->navigator().ComandPanelTopLeftClick();
    keys("RC"); // "Video"
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_EQ(form->navigator().title(), "Video playing");
    EXPECT_TRUE(video().moviePanel()->isVisible());
    EXPECT_EQ(video().moviePanel()->geometry(), QRect(0, 144, 800, 398));

    key('Q'); // straight back to the main menu
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_FALSE(video().moviePanel()->isVisible());
}

TEST_F(VideoPlaybackTest, MediaLabelLeadsToTheMediaChoiceWithTheFilmPlayingUnseen)
{
    playFilm();
    key('C');
    player->clear();
    EXPECT_EQ(panel().MediaLabel->text(), "Media");
    emit panel().MediaLabel->clicked();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    EXPECT_EQ(form->navigator().title(), "Media");
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(video().moviePanel()->isVisible());
    EXPECT_TRUE(player->calls().isEmpty()); // not stopped
    EXPECT_TRUE(video().videoPlaying());
    keys("RC"); // "Video" brings it back
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_TRUE(video().moviePanel()->isVisible());
}

TEST_F(VideoPlaybackTest, VideoWithoutAFilmShowsTheList)
{
    form->navigator().ComandPanelTopLeftClick();
    keys("RC");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");
    EXPECT_TRUE(form->marker().isVisible());
    EXPECT_FALSE(video().moviePanel()->isVisible());
}

TEST_F(VideoPlaybackTest, StopReturnsToTheList)
{
    playFilm();
    key('C');
    focus(panel().ZoomPanel);
    key('C'); // zoom edit on
    focus(panel().Panel25);
    key('C');
    EXPECT_EQ(sounds->played().last(), "play " + programDir.path() + "EndMovie.wav");
    EXPECT_EQ(player->calls(), (QStringList{"stop", "close"}));
    EXPECT_EQ(player->fileName(), "");
    EXPECT_FALSE(video().videoPlaying());
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(panel().zoomEdit());
    EXPECT_FALSE(video().MovieOptionsPanelDisappearTimer.isActive());
    EXPECT_FALSE(video().moviePanel()->isVisible());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");
    EXPECT_TRUE(form->marker().isVisible());

    // Nothing plays now: "Video" shows the list.
    form->navigator().ComandPanelTopLeftClick();
    keys("RC");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
}

TEST_F(VideoPlaybackTest, AnErrorShowsItsTextAndReturnsToTheList)
{
    open("b.avi");
    key('C');
    player->clear();
    player->deliverError(-17, "unrecognized file format");
    EXPECT_TRUE(video().VideErrorPanel->isVisible());
    EXPECT_EQ(video().VideoErrorLabel->text(), " unrecognized file format");
    EXPECT_EQ(video().VideErrorPanelDisappearTimer.interval(), 10000);
    EXPECT_TRUE(video().VideErrorPanelDisappearTimer.isActive());
    EXPECT_EQ(player->calls(), (QStringList{"stop", "close"}));
    EXPECT_FALSE(video().videoPlaying());
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(video().moviePanel()->isVisible());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");

    video().VideErrorPanelDisappearTimerTimer();
    EXPECT_FALSE(video().VideErrorPanel->isVisible());
    EXPECT_FALSE(video().VideErrorPanelDisappearTimer.isActive());

    // C on the list takes the panel away before the entry is opened.
    player->deliverError(-13, "loading failed");
    EXPECT_TRUE(video().VideErrorPanel->isVisible());
    open("a.mpg");
    EXPECT_FALSE(video().VideErrorPanel->isVisible());
    EXPECT_FALSE(video().VideErrorPanelDisappearTimer.isActive());
}
