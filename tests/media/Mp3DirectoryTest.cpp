#include "media/Mp3Directory.h"
#include "app/OptionsScreen.h"
#include "core/Dispatcher.h"
#include "core/Screen.h"
#include "media/DirActionMenu.h"
#include "media/LetterDial.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"
#include "support/RecordingMp3Playback.h"
#include "widgets/DialFace.h"
#include "widgets/ListRowsView.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include "MediaScreenFixture.h"

#include "media/DirectoryReader.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

namespace {

class Mp3ListScreen : public ::testing::Test, public MediaScreenFixture {
protected:
    // "Album" (two tracks) and ten tracks t00..t09: eleven entries.
    void startWithTracks()
    {
        musicDir.write("Album/a.mp3", "x");
        musicDir.write("Album/b.ogg", "x");
        for (int i = 0; i < 10; ++i)
            musicDir.write(QStringLiteral("t%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "x");
        start();
        form->mp3Directory()->setPlayback(&playback);
        form->mp3Directory()->Image2Click();
    }
    Mp3Directory &screen() const { return *form->mp3Directory(); }
    TAUDIListbox &list() const { return screen().MP3Listbox(); }
    QString selected() const { return list().itemText(list().itemIndex()); }
    QString label() const { return screen().panel().PositionLabel->text(); }
    bool above() const { return !screen().panel().MoreWaitingAbove_indicator->isHidden(); }
    bool below() const { return !screen().panel().MoreWaitingBelow_indicator->isHidden(); }
    SelectionMarker &marker() const { return form->marker(); }
    DirActionMenu &menu() const { return *screen().DirActionPanel; }
    LetterDial &dial() const { return *screen().FilterPanel; }
    QWidget *menuFocus() const { return menu().focus().current(); }
    QString dialFocus() const
    {
        QWidget *w = dial().focus().current();
        return w ? static_cast<PanelButton *>(w)->text() : QString();
    }

    RecordingMp3Playback playback;
};

} // namespace

TEST_F(Mp3ListScreen, StartsOnTheConfiguredDirectoryAndShowsTheMarker)
{
    startWithTracks();
    EXPECT_EQ(form->navigator().title(), "Select MP3");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(list().directory(), music());
    EXPECT_EQ(list().count(), 11);
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "Album");
    EXPECT_EQ(label(), "1 of 11");
    EXPECT_TRUE(marker().isVisible());
    EXPECT_EQ(marker().barPosition(), QPoint(91, 43 + 117));
    EXPECT_EQ(form->videoList()->VideoListBox().directory(), videos());

    // Every screen change hides the marker.
    form->navigator().showScreen(Screen::MP3Start);
    EXPECT_FALSE(marker().isVisible());
    form->navigator().showScreen(Screen::MP3Directory);
    EXPECT_TRUE(marker().isVisible());
}

TEST_F(Mp3ListScreen, KnobWalksTheListWithLabelIndicatorsAndMarker)
{
    startWithTracks();
    key('R'); // previous at the first entry: stays
    EXPECT_EQ(list().itemIndex(), 0);
    keys("LLLLLL");
    EXPECT_EQ(label(), "7 of 11");
    EXPECT_FALSE(above());
    EXPECT_TRUE(below());
    EXPECT_EQ(marker().barPosition(), QPoint(73, 6 * 42 + 160));
    key('L'); // the 8th entry scrolls the list by one row
    EXPECT_EQ(list().topIndex(), 1);
    EXPECT_TRUE(above());
    EXPECT_EQ(marker().barPosition(), QPoint(73, 6 * 42 + 160));
    key('R');
    EXPECT_EQ(list().itemIndex(), 6);
    EXPECT_TRUE(above()); // the top row is still not the first entry
    EXPECT_EQ(marker().barPosition(), QPoint(68, 5 * 42 + 160));
    keys("LLLLLLL"); // to the last entry and one more
    EXPECT_EQ(label(), "11 of 11");
    EXPECT_EQ(list().itemIndex(), 10);
    EXPECT_FALSE(below());
    KeyInput::wheel(form.get(), true); // one notch down is R
    EXPECT_EQ(list().itemIndex(), 9);

    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    EXPECT_FALSE(marker().isVisible());
}

TEST_F(Mp3ListScreen, UpOneDirectoryAndEmptyLists)
{
    musicDir.mkdir("empty");
    start(music() + "/empty");
    form->mp3Directory()->Image2Click();
    EXPECT_EQ(list().count(), 0);
    EXPECT_FALSE(marker().isVisible());
    keys("LRZ");
    EXPECT_EQ(list().itemIndex(), -1);
    EXPECT_FALSE(marker().isVisible());
    key('T');
    EXPECT_EQ(list().directory(), music());
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "empty");
    EXPECT_EQ(label(), "1 of 1");
    EXPECT_TRUE(marker().isVisible());
}

TEST_F(Mp3ListScreen, NextLetterJumpsAndWraps)
{
    for (const char *f : {"Abba.mp3", "beatles.mp3", "Byrds.mp3", "Zappa.mp3", "zz top.mp3",
                          "Zombies.mp3", "ZZ Ward.mp3"})
        musicDir.write(QString::fromLatin1(f), "x");
    musicDir.mkdir("Cream");
    start();
    form->mp3Directory()->Image2Click();
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "Cream");
    key('Z'); // "D" .. "K": eight tries find nothing
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "Cream");
    keys("LLLLLLL");
    EXPECT_EQ(selected(), "ZZ Ward.mp3");
    key('Z'); // "[" .. "`" and then "a", the seventh try, finds "A"
    EXPECT_EQ(selected(), "Abba.mp3");
    EXPECT_EQ(label(), "2 of 8");
    key('Z');
    EXPECT_EQ(selected(), "beatles.mp3");
    key('Z');
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "Cream");
    EXPECT_TRUE(marker().isVisible());
}

TEST_F(Mp3ListScreen, ActionMenuFocusIsBoundedAndSelectEntersOrPlays)
{
    startWithTracks();
    key('L');
    key('C');
    EXPECT_FALSE(menu().isHidden());
    EXPECT_FALSE(above());
    EXPECT_FALSE(below());
    EXPECT_EQ(playback.calls(), QStringList{"hide options"});
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::ActionPanel);
    EXPECT_EQ(menuFocus(), menu().Panel35);
    EXPECT_EQ(menu().Panel35->textColour(), QColor(Qt::white));
    form->changecolors(); // the colour pass keeps the focus look
    EXPECT_EQ(menu().Panel35->textColour(), QColor(Qt::white));
    EXPECT_EQ(menu().Panel40->textColour(), QColor(Qt::black));
    key('L');
    EXPECT_EQ(menuFocus(), menu().Panel35);
    keys("RRRRRR");
    EXPECT_EQ(menuFocus(), menu().Panel14);
    key('Z'); // not a key of the menu
    EXPECT_EQ(menuFocus(), menu().Panel14);
    keys("LLLL");
    EXPECT_EQ(menuFocus(), menu().Panel35);

    // Select on a file plays it and asks for the now-playing screen.
    playback.clear();
    key('C');
    EXPECT_TRUE(menu().isHidden());
    EXPECT_EQ(playback.calls(), (QStringList{"bitrate " + music() + "/t00.mp3",
                                             "play " + music() + "/t00.mp3 switch"}));

    // Select on a directory enters it.
    key('R');
    key('C');
    key('C');
    EXPECT_EQ(list().directory(), music() + "/Album");
    EXPECT_EQ(selected(), "a.mp3");
    EXPECT_TRUE(marker().isVisible());
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::Mp3List);

    // Up and close.
    keys("CRC");
    EXPECT_TRUE(menu().isHidden());
    EXPECT_EQ(list().directory(), music());
    // Close.
    keys("CRRRRC");
    EXPECT_TRUE(menu().isHidden());
    EXPECT_EQ(list().directory(), music());
}

TEST_F(Mp3ListScreen, ADirectoryThatCannotBeEnteredLeavesTheSelectionWhereItWas)
{
    musicDir.write("Gone/a.mp3", "x");
    startWithTracks();
    key('L'); // "Gone", after "Album"
    ASSERT_EQ(selected(), DirectoryReader::DirectoryMarker + "Gone");
    // Taken away after the list was read, as a pulled USB stick does.
    QDir(music() + "/Gone").removeRecursively();
    keys("CC"); // Select
    EXPECT_EQ(list().directory(), music());
    EXPECT_EQ(selected(), DirectoryReader::DirectoryMarker + "Gone");
    EXPECT_EQ(label(), "2 of 12");
    EXPECT_TRUE(marker().isVisible());
}

TEST_F(Mp3ListScreen, MediaLabelAndMouseTargetsOnTheBottomBar)
{
    startWithTracks();
    EXPECT_EQ(screen().MediaLabel->text(), "Media");
    for (PanelButton *t : screen().mouseTargets)
        EXPECT_TRUE(t->isHidden()); // no pointer, no targets
    form->showMousePointer(true);
    for (PanelButton *t : screen().mouseTargets)
        EXPECT_FALSE(t->isHidden());
    // Previous, next, (next letter,) up, the menu: as the knob's R, L, (Z,) T and C.
    const QList<PanelButton *> &t = screen().mouseTargets;
    ASSERT_EQ(t.size(), 5);
    emit t[1]->clicked();
    emit t[1]->clicked();
    EXPECT_EQ(selected(), "t01.mp3");
    emit t[0]->clicked();
    EXPECT_EQ(selected(), "t00.mp3");
    EXPECT_EQ(label(), "2 of 11");
    emit t[4]->clicked();
    EXPECT_FALSE(menu().isHidden());
    screen().Panel14Click();
    list().setItemIndex(0);
    screen().Panel35Click(); // into "Album"
    emit t[3]->clicked();
    EXPECT_EQ(list().directory(), music());

    emit screen().MediaLabel->clicked();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    EXPECT_EQ(form->navigator().title(), "Media");
    EXPECT_FALSE(marker().isVisible());
}

TEST_F(Mp3ListScreen, RandomStartsBelowTheSelectedDirectoryOrTheListsOwn)
{
    startWithTracks();
    keys("CRRRC");
    EXPECT_EQ(playback.calls(),
              (QStringList{"hide options", "root " + music() + "/Album", "toggle", "random"}));
    EXPECT_TRUE(menu().isHidden());
    playback.clear();
    keys("LCRRRC");
    EXPECT_EQ(playback.calls(),
              (QStringList{"hide options", "root " + music(), "toggle", "random"}));
}

TEST_F(Mp3ListScreen, LetterDialWrapsPreselectsAndJumps)
{
    musicDir.write("Abba.mp3", "x");
    musicDir.write("Byrds.mp3", "x");
    musicDir.write("Cream/x.mp3", "x");
    musicDir.write(QStringLiteral("§ 1.mp3"), "x");
    start();
    form->mp3Directory()->Image2Click();
    keys("CRRC"); // Go to...
    EXPECT_FALSE(dial().isHidden());
    EXPECT_TRUE(menu().isHidden());
    EXPECT_FALSE(marker().isVisible());
    EXPECT_EQ(screen().panel().view->x(), 260);
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::LetterPanel);
    EXPECT_EQ(dialFocus(), QString()); // no letter used yet

    key('R');
    EXPECT_EQ(dialFocus(), "A");
    EXPECT_EQ(dial().MP3FilterLabel->text(), "A");
    EXPECT_EQ(dial().FilterFrame->heading(), 240);
    EXPECT_EQ(selected(), "Abba.mp3");
    EXPECT_EQ(dial().position("A")->textColour(), QColor(Qt::white));
    key('L'); // wraps back to "fav"
    EXPECT_EQ(dialFocus(), "fav");
    EXPECT_EQ(dial().FilterFrame->heading(), 230);
    EXPECT_EQ(dial().position("A")->textColour(), form->colours().main());
    keys("LLL");
    EXPECT_EQ(dialFocus(), QStringLiteral("§"));
    EXPECT_EQ(selected(), QStringLiteral("§ 1.mp3"));
    key('Q'); // nothing on the dial
    EXPECT_FALSE(dial().isHidden());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    keys("RRRR"); // "^", "<<", "fav", "A"
    EXPECT_EQ(dialFocus(), "A");
    key('R');
    EXPECT_EQ(selected(), "Byrds.mp3");
    EXPECT_EQ(label(), QStringLiteral("4 of 4"));

    key('C');
    EXPECT_TRUE(dial().isHidden());
    EXPECT_EQ(screen().panel().view->x(), 40);
    EXPECT_EQ(selected(), "Byrds.mp3");
    EXPECT_TRUE(marker().isVisible());
    EXPECT_EQ(form->dispatcher().context(), Dispatcher::Context::Mp3List);

    // Back on the dial, the focus returns to the last position.
    keys("CRRC");
    EXPECT_EQ(dialFocus(), "B");
    EXPECT_EQ(dial().MP3FilterLabel->text(), "B");
    keys("LLLLL"); // "A", "fav", "<<", "^", "§"
    key('R');      // "^" selects the first entry
    EXPECT_EQ(dialFocus(), "^");
    EXPECT_EQ(list().itemIndex(), 0);
}

TEST_F(Mp3ListScreen, ParentAndFavouritesOnTheDial)
{
    musicDir.write("Abba.mp3", "x");
    start();
    LetterDial &d = dial();
    // "fav" without a favourites directory stays, with the first entry selected.
    list().setItemIndex(0);
    d.Panel52Click(d.position("fav"));
    EXPECT_EQ(list().directory(), music());
    EXPECT_EQ(list().itemIndex(), 0);

    musicDir.write("$  Favourites/Fav.mp3", "x");
    d.Panel52Click(d.position("fav"));
    EXPECT_EQ(list().directory(), music() + "/$  Favourites");
    EXPECT_EQ(selected(), "Fav.mp3");
    d.Panel52Click(d.position("<<"));
    EXPECT_EQ(list().directory(), music());
    EXPECT_EQ(list().itemIndex(), 0);

    // "<<" at the root stays there.
    ASSERT_TRUE(list().setDirectory("/"));
    d.Panel52Click(d.position("<<"));
    EXPECT_EQ(list().directory(), "/");
    EXPECT_EQ(list().itemIndex(), 0);
}

TEST(MediaListsAtStart, BadMp3PathKeepsBothListsOnTheRoot)
{
    MediaScreenFixture f;
    f.start("/no/such/music");
    EXPECT_EQ(f.form->mp3Directory()->MP3Listbox().directory(), "/");
    EXPECT_EQ(f.form->videoList()->VideoListBox().directory(), "/");
    EXPECT_EQ(f.form->options()->Mp3PathEdit->text(), "/no/such/music");
}

// Until a player is set the list still moves and its menu still opens and closes; a track
// or "Random" then plays nothing.
TEST_F(Mp3ListScreen, WithoutAPlayerTheListOnlyMoves)
{
    startWithTracks();
    screen().setPlayback(nullptr);
    keys("R");
    const QString track = selected();
    screen().MP3ListboxClick();
    EXPECT_FALSE(menu().isHidden());
    keys("RRRC"); // "Random"
    EXPECT_TRUE(menu().isHidden());
    EXPECT_EQ(selected(), track);
    EXPECT_TRUE(playback.calls().isEmpty());
}
