#include "core/CommandKey.h"
#include "core/Dispatcher.h"
#include "core/Screen.h"
#include "core/Navigator.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

class Recorder : public KeyContext {
public:
    void commandKey(quint16 key) override { keys.push_back(key); }
    std::vector<quint16> keys;
};

using C = Dispatcher::Context;
using O = Overlay;

// The navigator with a panel for each overlay; a panel shows while it is not hidden.
class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest()
    {
        for (O o : {O::MovieOptions, O::DirAction, O::Filter, O::Mp3Options}) {
            panels[size_t(o)].setParent(&window);
            panels[size_t(o)].hide();
            screens.setOverlayPanel(o, &panels[size_t(o)]);
        }
    }
    void show(O o) { panels[size_t(o)].show(); }
    C at(int screen)
    {
        screens.showScreen(screen);
        return d.context();
    }
    QWidget window;
    QWidget panels[4];
    Navigator screens;
    Dispatcher d{screens};
};

} // namespace

TEST(CommandKey, FoldsFourKeys)
{
    EXPECT_EQ(CommandKey::fold(13), CommandKey::C);
    EXPECT_EQ(CommandKey::fold(32), CommandKey::Q);
    EXPECT_EQ(CommandKey::fold(18), CommandKey::T);
    EXPECT_EQ(CommandKey::fold(17), CommandKey::Z);
    EXPECT_EQ(CommandKey::fold(CommandKey::R), CommandKey::R);
    EXPECT_EQ(CommandKey::fold(65), 65);
    EXPECT_EQ(CommandKey::fromQtKey(Qt::Key_Enter), 13);
    EXPECT_EQ(CommandKey::fromQtKey(Qt::Key_Z), 90);
    EXPECT_EQ(CommandKey::fromQtKey(Qt::Key_Escape), 0);
}

TEST_F(DispatcherTest, EachScreenHasItsContext)
{
    EXPECT_EQ(at(Screen::Video_Play), C::VideoPlaying);
    EXPECT_EQ(at(Screen::Log_select), C::DriversLog);
    EXPECT_EQ(at(Screen::SetLog), C::Map);
    EXPECT_EQ(at(Screen::media_select), C::MediaChoice);
    EXPECT_EQ(at(Screen::Vide_select), C::VideoList);
    EXPECT_EQ(at(Screen::Radar), C::Poi);
    EXPECT_EQ(at(Screen::MP3Directory), C::Mp3List);
    EXPECT_EQ(at(Screen::MP3Album), C::NowPlaying);
    EXPECT_EQ(at(Screen::MP3Start), C::MainMenu);
    EXPECT_EQ(at(Screen::Settings), C::Options);
}

TEST_F(DispatcherTest, VideoOptionsPanelWinsOnEveryScreen)
{
    show(O::MovieOptions);
    for (int s = 0; s < Screen::Count; ++s)
        EXPECT_EQ(at(s), C::VideoOptions) << s;
}

TEST_F(DispatcherTest, OverlaysOfTheMp3Screens)
{
    show(O::Filter);
    EXPECT_EQ(at(Screen::MP3Directory), C::LetterPanel);
    show(O::DirAction);
    EXPECT_EQ(at(Screen::MP3Directory), C::ActionPanel);
    show(O::Mp3Options);
    EXPECT_EQ(at(Screen::MP3Album), C::Mp3Options);
    // An overlay of another screen changes nothing here.
    EXPECT_EQ(at(Screen::MP3Start), C::MainMenu);
}

TEST_F(DispatcherTest, KeysReachTheHandlerFolded)
{
    Recorder menu;
    d.setHandler(C::MainMenu, &menu);
    screens.showScreen(Screen::MP3Start);
    quint16 key = CommandKey::Enter;
    d.FormKeyDown(key);
    EXPECT_EQ(key, CommandKey::C); // the caller sees the folded code
    d.FormMouseWheelDown();
    d.FormMouseWheelUp();
    EXPECT_EQ(menu.keys, (std::vector<quint16>{CommandKey::C, CommandKey::R, CommandKey::L}));
}

TEST_F(DispatcherTest, MissingHandlerAndFailingActionAreHarmless)
{
    screens.showScreen(Screen::SetLog);
    quint16 key = CommandKey::R;
    d.FormKeyDown(key); // nothing handles the map yet
    struct Throwing : KeyContext {
        void commandKey(quint16) override { throw std::runtime_error("video call failed"); }
    } throwing;
    d.setHandler(C::Map, &throwing);
    EXPECT_NO_THROW(d.FormKeyDown(key));
}
