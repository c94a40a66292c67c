#include "app/BrightnessControl.h"
#include "app/ColourChoice.h"
#include "app/MainMenuBar.h"
#include "app/OptionsScreen.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "app/TopBar.h"
#include "core/ColourScheme.h"
#include "core/IniFile.h"
#include "core/Screen.h"
#include "media/MediaListPanel.h"
#include "media/Mp3Directory.h"
#include "media/VideoListScreen.h"
#include "support/KeyInput.h"
#include "support/RecordingGammaRamp.h"
#include "support/RecordingPowerManager.h"
#include "support/RecordingSoundPlayer.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/ColourSwatch.h"
#include "widgets/LevelBar.h"
#include "widgets/ListRowsView.h"
#include "widgets/RadioGroup.h"
#include "widgets/TurnKnob.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QSlider>

namespace {

class DisplaySettingsTest : public ::testing::Test {
protected:
    void start()
    {
        auto g = std::make_unique<RecordingGammaRamp>();
        auto p = std::make_unique<RecordingPowerManager>();
        auto s = std::make_unique<RecordingSoundPlayer>();
        gamma = g.get();
        power = p.get();
        sound = s.get();
        Services services;
        services.gamma = std::move(g);
        services.power = std::move(p);
        services.sound = std::move(s);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->show();
    }
    void key(char letter) { KeyInput::press(form.get(), letter); }
    OptionsScreen &options() { return *form->options(); }

    TempDir dir;
    RecordingGammaRamp *gamma = nullptr;
    RecordingPowerManager *power = nullptr;
    RecordingSoundPlayer *sound = nullptr;
    std::unique_ptr<TForm1> form;
};

QColor text(QWidget *w) { return w->palette().color(QPalette::WindowText); }

} // namespace

TEST(BrightnessRampTest, EntriesOfTheRamp)
{
    const GammaRamp::Table dark = BrightnessControl::ramp(0);
    EXPECT_EQ(dark[0], 0);
    EXPECT_EQ(dark[255], 32640);
    const GammaRamp::Table bright = BrightnessControl::ramp(256);
    EXPECT_EQ(bright[170], 65280);
    for (size_t i = 171; i < bright.size(); ++i)
        ASSERT_EQ(bright[i], 65535) << i;
    const GammaRamp::Table standard = BrightnessControl::ramp(128);
    for (size_t i = 0; i < standard.size(); ++i)
        ASSERT_EQ(standard[i], 256 * i) << i;
    EXPECT_EQ(BrightnessControl::labelText(128), "STD");
    EXPECT_EQ(BrightnessControl::labelText(136), "136");
}

TEST_F(DisplaySettingsTest, StartAppliesTheIdentityAndTheKnobStepsTheRamp)
{
    start();
    ASSERT_EQ(gamma->applied().size(), 1);
    EXPECT_EQ(gamma->applied().last(), BrightnessControl::ramp(128));
    EXPECT_EQ(options().Knob1Label->text(), "STD");

    form->Main4Click();
    options().setPage(OptionsScreen::ScreenPage);
    key('R');
    EXPECT_EQ(options().Knob1Label->text(), "136");
    EXPECT_EQ(options().Knob1Picture->position(), 8);
    EXPECT_EQ(gamma->applied().last(), BrightnessControl::ramp(136));
    for (int i = 0; i < 20; ++i)
        key('L');
    EXPECT_EQ(options().Knob1Label->text(), "0");
    EXPECT_EQ(options().Knob1Picture->position(), -128);
    EXPECT_EQ(gamma->applied().last()[255], 32640);
    options().Knob1->setValue(128); // the mouse
    EXPECT_EQ(options().Knob1Label->text(), "STD");
}

TEST_F(DisplaySettingsTest, SwatchThreeAsMainColourRepaintsAtOnce)
{
    start();
    form->Main4Click();
    options().setPage(OptionsScreen::Color);
    key('R'); // no choice yet: swatch 1
    key('R');
    key('R');
    const QColor swatch3(0xB8, 0x9B, 0x70); // $00709BB8
    EXPECT_EQ(form->colours().main(), swatch3);
    EXPECT_EQ(form->mainMenu()->palette().color(QPalette::Window), swatch3);
    StatusLine *s = form->statusLine();
    for (QWidget *w :
         {static_cast<QWidget *>(s->Clock), static_cast<QWidget *>(s->DateLabel),
          static_cast<QWidget *>(s->sensorlabel), static_cast<QWidget *>(s->LogIndicator),
          static_cast<QWidget *>(form->topBar()->CpuLabel),
          static_cast<QWidget *>(form->topBar()->TopMidLabel)})
        EXPECT_EQ(text(w), swatch3) << w->metaObject()->className();
    EXPECT_EQ(form->topBar()->CpuMeter->barColour(), swatch3);
    EXPECT_EQ(options().Knob1Picture->faceColour(), swatch3);
    for (MediaListPanel *list : {&form->mp3Directory()->panel(), &form->videoList()->panel()}) {
        EXPECT_EQ(list->view->textColour(), swatch3);
        EXPECT_EQ(list->view->highlightColour(), QColor(Qt::white));
    }
    // The link indicators keep the colour their links give them.
    EXPECT_NE(text(s->GPSLabel), swatch3);
}

TEST_F(DisplaySettingsTest, SwatchClickTakesTheChosenColourButNotTheMainColour)
{
    start();
    QColor offered;
    std::optional<QColor> answer = QColor(0x12, 0x34, 0x56);
    form->colourChoice()->setPicker([&](const QColor &initial) {
        offered = initial;
        return answer;
    });
    emit options().cpx[2]->clicked();
    EXPECT_EQ(offered, QColor(0xB8, 0x9B, 0x70));
    EXPECT_EQ(options().cpx[2]->colour(), 0x00563412u);
    EXPECT_EQ(form->colours().mainColour(), ColourScheme::BuiltInMainColour);

    answer.reset(); // cancelled
    emit options().cpx[2]->clicked();
    EXPECT_EQ(options().cpx[2]->colour(), 0x00563412u);

    options().MainColourChoice->button(2)->click(); // the mouse on choice 3
    EXPECT_EQ(options().MainColourChoice->itemIndex(), 2);
    EXPECT_EQ(form->colours().main(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(text(form->statusLine()->Clock), QColor(0x12, 0x34, 0x56));
}

TEST_F(DisplaySettingsTest, StandbyNotAllowedSavesPlaysAndStaysOnTheScreen)
{
    dir.write("Rovana.ini", "[ExitOptions]\nRadioGroup1.ItemIndex=4\n");
    dir.write("exit.wav", "RIFF");
    start();
    form->mainMenu()->highlight(MainMenuBar::Exit);
    key('C');
    EXPECT_EQ(sound->played(), QStringList{"wait " + dir.file("exit.wav")});
    EXPECT_TRUE(power->requests().isEmpty());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_TRUE(form->isVisible());
    const IniFile ini = IniFile::load(dir.file("Rovana.ini"));
    EXPECT_EQ(ini.readString("Colors", "cpx1.color", ""), "$0099B8CD");

    power->suspendAllowed = true;
    key('C');
    EXPECT_EQ(power->requests(), QStringList{"suspend"});
}

TEST_F(DisplaySettingsTest, StartupLinesAndClockOfTheWindow)
{
    start();
    const QStringList memo = options().sysMessages();
    ASSERT_GE(memo.size(), 5);
    EXPECT_EQ(memo[0], "Rovana path is " + dir.path());
    EXPECT_TRUE(memo[2].startsWith("System running at "));
    EXPECT_TRUE(memo[3].contains(" MB free, "));
    EXPECT_EQ(form->statusLine()->Clock->text().size(), 5); // "hh:mm"
    EXPECT_TRUE(form->statusLine()->DateLabel->text().endsWith(' '));
}
