#include "app/MediaChoiceScreen.h"
#include "core/Dispatcher.h"
#include "core/Screen.h"
#include "media/NowPlayingScreen.h"
#include "support/ScriptedAudioPlayer.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include "NowPlayingFixture.h"
#include "PlayableTrack.h"

#include <gtest/gtest.h>

namespace {

// Whole-window tests with the scripted player: the display update, the switch and the
// panel's timers are driven by calling their handlers.
class NowPlayingLogic : public ::testing::Test, public NowPlayingFixture {
protected:
    // "Album" (a directory), a.mp3, b.mp3, c.mp3 with tags; the list shows the MP3 path.
    void startWithTracks()
    {
        musicDir.mkdir("Album");
        for (const char *name : {"a", "b", "c"})
            musicDir.write(QStringLiteral("%1.mp3").arg(QLatin1String(name)),
                           PlayableTrack::bytes(100, QStringLiteral("Title ") + name,
                                                QStringLiteral("Artist ") + name));
        start();
    }
    ScriptedAudioPlayer &player() const
    {
        return static_cast<ScriptedAudioPlayer &>(form->audio());
    }
    QString track(const char *name) const { return music() + "/" + name; }
};

} // namespace

TEST_F(NowPlayingLogic, StartsWithNoMusicAndTheDefaultPicture)
{
    musicDir.write("a.mp3", "x");
    start();
    EXPECT_EQ(scroller(), "No Music playing");
    // The screen fills its page.
    EXPECT_EQ(view().geometry(), QRect(0, 0, 800, TForm1::PageHeight));
    EXPECT_TRUE(view().MP3ProgressBar->isHidden());
    EXPECT_FALSE(playing().MP3Timer().isActive());
    EXPECT_TRUE(options().isHidden());
    EXPECT_FALSE(options().Panel20->isEnabled());
    EXPECT_EQ(options().Panel20->text(), "Rnd is Off");

    // "Audio" shows the list while nothing was started.
    form->navigator().ComandPanelTopLeftClick();
    form->mediaChoice()->Panel86Click();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(form->navigator().title(), "Select MP3");
}

TEST_F(NowPlayingLogic, SelectPlaysAndSwitchesToNowPlaying300MsLater)
{
    startWithTracks();
    select("b.mp3");
    EXPECT_EQ(playingFile(), track("b.mp3"));
    EXPECT_TRUE(player().isPlaying());
    EXPECT_EQ(view().MP3Title->text(), "Title b");
    EXPECT_EQ(view().MP3Artist->text(), "Artist b");
    EXPECT_EQ(scroller(), track("b.mp3"));
    EXPECT_TRUE(view().MP3_scroller->isScrolling());
    EXPECT_EQ(symbol(), "4");
    EXPECT_EQ(playing().progressMaximum(), ScriptedAudioPlayer::DefaultLength);
    EXPECT_FALSE(view().MP3ProgressBar->isHidden());
    EXPECT_TRUE(playing().MP3Timer().isActive());
    EXPECT_EQ(playing().MP3Timer().interval(), 1000);

    // Still on the list until the delayed switch runs, once.
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    ASSERT_TRUE(playing().SwitchToNowPlayingTimer().isActive());
    EXPECT_EQ(playing().SwitchToNowPlayingTimer().interval(), 300);
    playing().SwitchToNowPlayingTimerTimer();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Album);
    EXPECT_EQ(form->navigator().title(), "MP3 playing");
    EXPECT_FALSE(playing().SwitchToNowPlayingTimer().isActive());
    EXPECT_FALSE(form->marker().isVisible());

    // The display update: time label and progress.
    player().advance(65000);
    playing().MP3TimerTimer();
    EXPECT_EQ(view().MP3TimeLabel->text(), " 01:05..03:00");
    EXPECT_EQ(view().MP3ProgressBar->value(), 65000);
    EXPECT_EQ(view().MP3ProgressBar->maximum(), 180000);

    // "Audio" on the media choice now comes back here.
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Album);
    EXPECT_EQ(form->navigator().title(), "MP3 playing");
}

TEST_F(NowPlayingLogic, EndOfTrackWalksOnInListOrderPassingOverDirectoriesAndBadFiles)
{
    startWithTracks();
    player().setFails(track("c.mp3"));
    player().setLength(track("a.mp3"), 2000);
    select("b.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    player().toEnd();
    playing().MP3TimerTimer();
    // c.mp3 fails to open; the walk wraps past "Album" to a.mp3.
    EXPECT_EQ(playingFile(), track("a.mp3"));
    EXPECT_EQ(selected(), "a.mp3");
    EXPECT_EQ(playing().progressMaximum(), 2000);
    EXPECT_TRUE(player().calls().contains("open " + track("c.mp3")));
    EXPECT_FALSE(player().calls().contains("open " + music() + "/\u00BB  Album"));
    EXPECT_EQ(symbol(), "4");
    EXPECT_EQ(scroller(), track("a.mp3"));
    // Tracks in list order leave the screen alone.
    EXPECT_FALSE(playing().SwitchToNowPlayingTimer().isActive());

    // T is next track, Z previous.
    key('T');
    EXPECT_EQ(playingFile(), track("b.mp3"));
    key('Z');
    EXPECT_EQ(playingFile(), track("a.mp3"));
    // The walk back goes no further than the first entry, here a directory: nothing plays.
    key('Z');
    EXPECT_EQ(playing().progressMaximum(), 0);
    EXPECT_EQ(selected(), "\u00BB  Album");
    EXPECT_EQ(scroller(), "No MP3 file selected");
    EXPECT_EQ(symbol(), ";");
    EXPECT_FALSE(playing().MP3Timer().isActive());
}

TEST_F(NowPlayingLogic, PreviousOnTheFirstEntryGoesToTheLastPlayable)
{
    for (const char *name : {"a.mp3", "b.mp3", "c.mp3"})
        musicDir.write(QString::fromLatin1(name), "x");
    start();
    player().setFails(track("c.mp3"));
    select("a.mp3");
    player().clearCalls();
    key('Z'); // not on the now-playing screen yet: the list's own key
    EXPECT_EQ(playingFile(), track("a.mp3"));
    playing().SwitchToNowPlayingTimerTimer();
    key('Z');
    EXPECT_EQ(player().calls().filter("open "),
              (QStringList{"open " + track("c.mp3"), "open " + track("b.mp3")}));
    EXPECT_EQ(playingFile(), track("b.mp3"));
    EXPECT_EQ(selected(), "b.mp3");
    EXPECT_EQ(symbol(), "4");
}

TEST_F(NowPlayingLogic, WalksGiveUpWithoutAPlayableEntry)
{
    for (int i = 0; i < 60; ++i)
        musicDir.write(QStringLiteral("bad%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "x");
    musicDir.write("good.mp3", "x");
    start();
    for (int i = 0; i < 60; ++i)
        player().setFails(music() + QStringLiteral("/bad%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
    select("good.mp3");
    player().clearCalls();
    // Next: at most 50 tries, none of them plays.
    playing().Button9Click();
    EXPECT_EQ(player().calls().filter("open ").size(), 50);
    EXPECT_EQ(playing().progressMaximum(), 0);
    EXPECT_EQ(scroller(), "No MP3 file playing...");
    // The display update runs on after a failed start, finds no file and stops.
    EXPECT_TRUE(playing().MP3Timer().isActive());
    playing().MP3TimerTimer();
    EXPECT_FALSE(playing().MP3Timer().isActive());
}

TEST_F(NowPlayingLogic, SkipsTenSecondsWithinTheTrackOnly)
{
    startWithTracks();
    player().setLength(track("a.mp3"), 30000);
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    player().advance(5000);
    key('R');
    EXPECT_EQ(player().position(), 15000);
    EXPECT_EQ(view().MP3TimeLabel->text(), " 00:15..00:30");
    key('L');
    EXPECT_EQ(player().position(), 5000);
    key('L'); // before the start: refused, playback goes on where it was
    EXPECT_EQ(player().position(), 5000);
    player().advance(20000 - 5000 + 2000); // 22 s: within the last 10 s
    key('R');
    EXPECT_EQ(player().position(), 22000);
    EXPECT_EQ(playingFile(), track("a.mp3"));
    EXPECT_TRUE(player().isPlaying());
}

TEST_F(NowPlayingLogic, OptionsPanelFocusMarkerAndAutoHide)
{
    startWithTracks();
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    key('C');
    ASSERT_FALSE(options().isHidden());
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::Mp3Options);
    EXPECT_EQ(optionFocus(), options().Panel9);
    EXPECT_EQ(options().Panel9->textColour(), QColor(Qt::white));
    EXPECT_TRUE(options().Panel9->font().bold());
    EXPECT_TRUE(form->marker().isVisible());
    // Row 2: rows 34 apart, the bar level with the middle of its row, left 72.
    EXPECT_EQ(form->marker().barPosition(), QPoint(72, 43 + 2 * 34 + 109));
    const QWidget *row = options().Panel9;
    EXPECT_EQ(form->marker().barPosition().y() + SelectionMarker::BarHeight / 2,
              row->mapTo(form.get(), QPoint(0, row->height() / 2)).y());
    EXPECT_TRUE(options().MP3OptionsPanelDisappearTimer().isActive());
    EXPECT_EQ(options().MP3OptionsPanelDisappearTimer().interval(), 8000);

    // R goes up towards "Directory", L down towards the random switch; no wrap.
    options().MP3OptionsPanelDisappearTimer().stop();
    key('R');
    EXPECT_EQ(optionFocus(), options().Panel19);
    EXPECT_TRUE(options().MP3OptionsPanelDisappearTimer().isActive()); // activity restarts it
    EXPECT_EQ(options().Panel9->textColour(), form->colours().main());
    EXPECT_FALSE(options().Panel9->font().bold());
    EXPECT_TRUE(options().Panel9->font().italic());
    keys("RR");
    EXPECT_EQ(optionFocus(), options().Panel11);
    EXPECT_EQ(form->marker().barPosition(), QPoint(88, 43 + 109));
    keys("LLLLLLL");
    EXPECT_EQ(optionFocus(), options().Panel4); // "Stop MP3", row 7
    EXPECT_EQ(form->marker().barPosition(), QPoint(80, 43 + 7 * 34 + 109));
    // The random switch is disabled until "Random" was used: the focus stays on "Stop MP3".
    key('L');
    EXPECT_EQ(optionFocus(), options().Panel4);
    key('R');
    EXPECT_EQ(optionFocus(), options().Panel3);
    key('L');
    EXPECT_EQ(optionFocus(), options().Panel4);
    // T, Z and Q do nothing on the panel.
    keys("TZQ");
    EXPECT_EQ(playingFile(), track("a.mp3"));
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Album);

    // 8 s without activity: the panel and the marker hide, the timer stops.
    options().MP3OptionsPanelDisappearTimerTimer();
    EXPECT_TRUE(options().isHidden());
    EXPECT_FALSE(form->marker().isVisible());
    EXPECT_FALSE(options().MP3OptionsPanelDisappearTimer().isActive());
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::NowPlaying);

    // Opened again, "Return" has the focus and the marker its row.
    key('C');
    EXPECT_EQ(optionFocus(), options().Panel9);
    EXPECT_EQ(form->marker().barPosition(), QPoint(72, 43 + 2 * 34 + 109));
    key('C'); // "Return"
    EXPECT_TRUE(options().isHidden());
    EXPECT_FALSE(form->marker().isVisible());
}

TEST_F(NowPlayingLogic, OptionsPanelLeavesTheTimeAndProgressInSight)
{
    startWithTracks();
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    key('C');
    EXPECT_EQ(options().geometry(), QRect(0, 0, 521, 313));
    const QList<QWidget *> entries{options().Panel11, options().Panel19, options().Panel9,
                                   options().Panel2,  options().Panel12, options().Panel13,
                                   options().Panel3,  options().Panel4,  options().Panel20};
    for (QWidget *entry : entries)
        EXPECT_TRUE(options().rect().contains(entry->geometry())) << entry->geometry().y();
    const QList<QWidget *> below{view().MP3TimeLabel, view().MP3ProgressBar,
                                 view().Mp3StatusIndicator};
    for (QWidget *w : below)
        EXPECT_FALSE(options().geometry().intersects(w->geometry()));
}

TEST_F(NowPlayingLogic, MouseTargetsShowWithTheMouseAndActAsTheKeys)
{
    startWithTracks();
    NowPlayingScreen &v = view();
    const QList<PanelButton *> targets{v.PreviousTarget, v.BackTarget,    v.ForwardTarget,
                                       v.NextTarget,     v.OptionsTarget, v.ListTarget};
    for (PanelButton *t : targets)
        EXPECT_TRUE(t->isHidden());
    form->showMousePointer(true); // "Mouse enabled" in the settings
    for (PanelButton *t : targets)
        EXPECT_FALSE(t->isHidden());

    player().setLength(track("a.mp3"), 60000);
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    emit v.ForwardTarget->clicked();
    EXPECT_EQ(player().position(), 10000);
    emit v.BackTarget->clicked();
    EXPECT_EQ(player().position(), 0);
    emit v.NextTarget->clicked();
    EXPECT_EQ(playingFile(), track("b.mp3"));
    emit v.PreviousTarget->clicked();
    EXPECT_EQ(playingFile(), track("a.mp3"));
    emit v.OptionsTarget->clicked();
    EXPECT_FALSE(options().isHidden());
    EXPECT_EQ(optionFocus(), options().Panel9);
    options().Panel9Click();
    emit v.ListTarget->clicked();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(form->navigator().title(), "Select MP3");

    form->showMousePointer(false);
    for (PanelButton *t : targets)
        EXPECT_TRUE(t->isHidden());
}

TEST_F(NowPlayingLogic, NowPlayingColours)
{
    startWithTracks();
    form->colours().setMainColour(0x00123456);
    form->changecolors();
    const QColor main = form->colours().main();
    const auto text = [](QWidget *w) {
        return w->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(text(view().MP3Title), main);
    EXPECT_EQ(text(view().MP3Artist), main);
    EXPECT_EQ(text(view().MP3BitRate), QColor(Qt::white));
    EXPECT_EQ(view().Mp3StatusIndicator->colour(), QColor(Qt::white));
    EXPECT_EQ(text(view().InfoMessage), main);
    EXPECT_EQ(view().InfoPanel->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(view().MP3_scroller->palette().color(QPalette::Window), main);
    EXPECT_TRUE(view().MP3_scroller->autoFillBackground());
    EXPECT_EQ(view().MP3_scroller->textColour(), QColor(Qt::black));
}

TEST_F(NowPlayingLogic, PauseResumeAndTheOtherButtons)
{
    startWithTracks();
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    key('C');
    key('L'); // "Pause"
    ASSERT_EQ(optionFocus(), options().Panel2);
    key('C');
    EXPECT_EQ(options().Panel2->text(), "Resume");
    EXPECT_EQ(symbol(), ";");
    EXPECT_FALSE(player().isPlaying());
    EXPECT_EQ(optionFocus(), options().Panel9); // back on "Return"
    key('L');
    key('C');
    EXPECT_EQ(options().Panel2->text(), "Pause");
    EXPECT_EQ(symbol(), "4");
    EXPECT_TRUE(player().isPlaying());

    // "Next MP3 >" and "< Previous  MP3".
    keys("LLC");
    EXPECT_EQ(playingFile(), track("b.mp3"));
    EXPECT_FALSE(options().isHidden());
    keys("LC");
    EXPECT_EQ(playingFile(), track("a.mp3"));

    // "Main Menue": playback goes on.
    options().focus().focus(options().Panel19);
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_TRUE(player().isPlaying());
    // The panel's auto-hide on another screen leaves that screen's marker alone.
    form->mp3Directory()->Image2Click();
    ASSERT_TRUE(form->marker().isVisible());
    options().MP3OptionsPanelDisappearTimerTimer();
    EXPECT_TRUE(form->marker().isVisible());
    EXPECT_TRUE(options().isHidden());
}

TEST_F(NowPlayingLogic, StopShowsTheListAndEndsTheDisplayUpdate)
{
    startWithTracks();
    select("a.mp3");
    playing().SwitchToNowPlayingTimerTimer();
    key('C');
    options().focus().focus(options().Panel4);
    key('C');
    EXPECT_FALSE(player().isOpen());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(form->navigator().title(), "Select MP3");
    EXPECT_TRUE(options().isHidden());
    EXPECT_EQ(symbol(), "<");
    EXPECT_EQ(scroller(), "No MP3 file selected");
    EXPECT_TRUE(view().MP3ProgressBar->isHidden());
    EXPECT_FALSE(playing().MP3Timer().isActive());
    EXPECT_EQ(playing().progressMaximum(), 0);
    EXPECT_TRUE(form->marker().isVisible()); // the list's marker

    // Pause with nothing open changes nothing.
    playing().Panel2Click();
    EXPECT_EQ(options().Panel2->text(), "Pause");
    // "Audio" now shows the list.
    form->mediaChoice()->Panel86Click();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
}

TEST_F(NowPlayingLogic, RandomPlayAndItsSwitch)
{
    musicDir.mkdir("Empty/one");
    musicDir.mkdir("Empty/two");
    musicDir.write("Deep/er/song.mp3", "x");
    musicDir.write("top.mp3", "x");
    start();
    form->mp3Directory()->Image2Click();

    // Below a directory of empty directories nothing plays.
    list().setItemIndex(int(list().items().indexOf("\u00BB  Empty")));
    form->mp3Directory()->Panel40Click();
    EXPECT_EQ(playing().randomRoot(), music() + "/Empty");
    EXPECT_TRUE(playing().randomMode());
    EXPECT_TRUE(options().Panel20->isEnabled());
    EXPECT_EQ(options().Panel20->text(), "Rnd is On");
    EXPECT_EQ(playingFile(), QString());
    EXPECT_FALSE(playing().MP3Timer().isActive());

    // Below "Deep" the one track plays, with the switch; the list moves to its directory.
    list().setItemIndex(int(list().items().indexOf("\u00BB  Deep")));
    form->mp3Directory()->Panel40Click();
    EXPECT_EQ(playingFile(), music() + "/Deep/er/song.mp3");
    EXPECT_EQ(list().directory(), music() + "/Deep/er");
    EXPECT_FALSE(form->marker().isVisible());
    ASSERT_TRUE(playing().SwitchToNowPlayingTimer().isActive());
    playing().SwitchToNowPlayingTimerTimer();

    // The end of a track in random mode starts another random track.
    player().clearCalls();
    player().toEnd();
    playing().MP3TimerTimer();
    EXPECT_EQ(player().calls().filter("open ").value(0), "open " + music() + "/Deep/er/song.mp3");
    EXPECT_TRUE(playing().SwitchToNowPlayingTimer().isActive());

    // The switch: the random switch can now take the focus.
    key('C');
    options().focus().focus(options().Panel4);
    key('L');
    EXPECT_EQ(optionFocus(), options().Panel20);
    key('C'); // off
    EXPECT_EQ(options().Panel20->text(), "Rnd is Off");
    EXPECT_FALSE(playing().randomMode());
    EXPECT_FALSE(options().isHidden());
    player().toEnd();
    playing().MP3TimerTimer(); // list order now: the only entry again
    EXPECT_EQ(selected(), "song.mp3");
    key('C'); // on: a random track, the panel and the marker hide
    EXPECT_EQ(options().Panel20->text(), "Rnd is On");
    EXPECT_TRUE(playing().randomMode());
    EXPECT_TRUE(options().isHidden());
    EXPECT_FALSE(form->marker().isVisible());
}

TEST_F(NowPlayingLogic, RandomPickIsAWalkDownTheTree)
{
    TRandomFile picker(42);
    musicDir.mkdir("only/empty");
    picker.setRandomizeFromHerePath(music() + "/only");
    picker.Execute();
    EXPECT_EQ(picker.FileResult(), 0);
    EXPECT_EQ(picker.FileName(), music() + "/only/empty/");

    // Tracks by extension in any case, hidden ones too; other files never.
    musicDir.write("mix/a.MP3", "x");
    musicDir.write("mix/.b.ogg", "x");
    musicDir.write("mix/c.Wma", "x");
    musicDir.write("mix/d.txt", "x");
    musicDir.write("mix/e.jpg", "x");
    picker.setRandomizeFromHerePath(music() + "/mix");
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        picker.Execute();
        ASSERT_EQ(picker.FileResult(), 1);
        seen.insert(QFileInfo(picker.FileName()).fileName());
    }
    EXPECT_EQ(seen, (QSet<QString>{"a.MP3", ".b.ogg", "c.Wma"}));

    // A directory linked into itself still ends.
    musicDir.mkdir("loop");
    QFile::link(music() + "/loop", music() + "/loop/again");
    picker.setRandomizeFromHerePath(music() + "/loop");
    for (int i = 0; i < 20; ++i)
        picker.Execute();
    EXPECT_EQ(picker.FileResult(), 0);

    picker.setRandomizeFromHerePath(QString());
    picker.Execute();
    EXPECT_EQ(picker.FileResult(), 0);
}
