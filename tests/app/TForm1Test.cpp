#include "app/TForm1.h"
#include "app/MainMenuBar.h"
#include "app/MediaChoiceScreen.h"
#include "app/OptionsScreen.h"
#include "app/PoiKeys.h"
#include "app/StatusLine.h"
#include "core/IniFile.h"
#include "core/Screen.h"
#include "gps/CameraWarning.h"
#include "support/KeyInput.h"
#include "support/PortRequestLog.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/ColourSwatch.h"
#include "widgets/PanelButton.h"
#include "widgets/RadioGroup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

#include <stdexcept>

namespace {

class WindowTest : public ::testing::Test {
protected:
    void start()
    {
        form = std::make_unique<TForm1>(dir.path(), standInServices());
        form->show();
    }
    void key(char letter) { KeyInput::press(form.get(), letter); }
    void key(Qt::Key k) { KeyInput::press(form.get(), k); }
    int highlighted() const { return form->mainMenu()->highlighted(); }

    TempDir dir;
    std::unique_ptr<TForm1> form;
};

QImage solidJpeg(const QColor &colour, int height)
{
    QImage image(64, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST_F(WindowTest, StartsOnTheMainMenuWithDriversLogHighlighted)
{
    start();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_EQ(form->navigator().title(), "Main");
    EXPECT_EQ(highlighted(), MainMenuBar::DriversLog);
    EXPECT_EQ(form->geometry(), QRect(0, 0, 800, 600));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    const QStringList memo = form->options()->sysMessages();
    ASSERT_GE(memo.size(), 3);
    EXPECT_EQ(memo[0], "Rovana path is " + dir.path());
    EXPECT_TRUE(memo.contains("Now reading CAN2ComPort-ini setting"));
    EXPECT_TRUE(memo.contains("CAN2ComPort is disabled"));
    EXPECT_EQ(form->options()->page(), OptionsScreen::Sys);
    EXPECT_EQ(form->options()->Knob1->value(), 128);
}

// What the platform lacks is said once, after the system description (a machine without
// sound output: the players play silently).
TEST_F(WindowTest, ThePlatformsNotesAreSaidOnceAfterTheSystemDescription)
{
    Services services;
    services.platformNotes << QStringLiteral("No sound output found - sounds and tracks play "
                                             "silently");
    form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
    const QStringList memo = form->options()->sysMessages();
    const qsizetype at = memo.indexOf("No sound output found - sounds and tracks play silently");
    ASSERT_GT(at, 0);
    EXPECT_EQ(memo.count(memo[at]), 1);
    EXPECT_LT(at, memo.indexOf("Now reading CAN2ComPort-ini setting"));
}

TEST_F(WindowTest, HighlightMovesWithoutWrapping)
{
    start();
    for (int i = 0; i < 4; ++i)
        key('R');
    EXPECT_EQ(highlighted(), MainMenuBar::Exit);
    key('R');
    EXPECT_EQ(highlighted(), MainMenuBar::Exit);
    for (int i = 0; i < 5; ++i)
        key('L');
    EXPECT_EQ(highlighted(), MainMenuBar::DriversLog);
    EXPECT_EQ(form->mainMenu()->entry(0)->font().bold(), true);
    EXPECT_EQ(form->mainMenu()->entry(1)->font().bold(), false);
}

TEST_F(WindowTest, WheelNotchesAreRAndL)
{
    start();
    KeyInput::wheel(form.get(), true);
    EXPECT_EQ(highlighted(), MainMenuBar::Media);
    KeyInput::wheel(form.get(), false);
    EXPECT_EQ(highlighted(), MainMenuBar::DriversLog);
}

TEST_F(WindowTest, EnterActsAsCAndSpaceAsQ)
{
    start();
    key(Qt::Key_Return); // select "Drivers Log"
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
    EXPECT_EQ(form->navigator().title(), "Drivers log");
    form->navigator().Button5Click();
    key(Qt::Key_Space); // Q on the main menu: the options
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Settings);
    EXPECT_EQ(form->navigator().title(), "Options");
}

TEST_F(WindowTest, AltAndCtrlFoldOntoTAndZ)
{
    start();
    form->ComandPanelBottomLeftClick();
    ASSERT_EQ(form->navigator().activeScreen(), Screen::Radar);
    key(Qt::Key_Alt);
    EXPECT_NEAR(form->poiKeys()->WarningDistanceKm, 1.1, 1e-9);
    key(Qt::Key_Control);
    EXPECT_NEAR(form->poiKeys()->WarningDistanceKm, 1.0, 1e-9);
}

TEST_F(WindowTest, MainMenuEntriesOpenTheirScreens)
{
    start();
    key('R'); // Media
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    EXPECT_EQ(form->navigator().title(), "Media");
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    key('R'); // POI
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_EQ(form->navigator().title(), "POI");
    EXPECT_EQ(form->shared().AlertReturnPage, Screen::Radar);
    key('Q');
    key('R'); // Options
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Settings);
}

TEST_F(WindowTest, MouseClickOnAnEntryActsWithoutMovingTheHighlight)
{
    start();
    emit form->mainMenu()->entry(MainMenuBar::Poi)->clicked();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_EQ(highlighted(), MainMenuBar::DriversLog);
}

TEST_F(WindowTest, MediaChoiceFocusAndChoices)
{
    start();
    form->navigator().ComandPanelTopLeftClick();
    MediaChoiceScreen *choice = form->mediaChoice();
    EXPECT_TRUE(choice->focus().has(choice->Panel86));
    EXPECT_EQ(choice->Panel86->textColour(), QColor(Qt::white));
    key('L'); // already on "Audio"
    EXPECT_TRUE(choice->focus().has(choice->Panel86));
    key('R');
    EXPECT_TRUE(choice->focus().has(choice->Panel87));
    EXPECT_EQ(choice->Panel87->font().pixelSize(), 48); // 36 points
    EXPECT_EQ(choice->Panel86->textColour(), QColor(Qt::black));
    key('R'); // already on "Video"
    EXPECT_TRUE(choice->focus().has(choice->Panel87));
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");
    form->navigator().ComandPanelTopLeftClick();
    key('C'); // "Audio" with nothing playing: the MP3 list
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(form->navigator().title(), "Select MP3");
}

TEST_F(WindowTest, OptionsPagesTurnAndWrap)
{
    start();
    form->Main4Click();
    OptionsScreen *o = form->options();
    for (int i = 1; i < OptionsScreen::PageCount; ++i) {
        key('C');
        EXPECT_EQ(o->page(), i);
    }
    key('C');
    EXPECT_EQ(o->page(), OptionsScreen::Sys);
    EXPECT_EQ(o->notebook()->tabText(OptionsScreen::StartComSound).replace("&&", "&"),
              "Start, COM & Sound");
}

TEST_F(WindowTest, BrightnessSteps)
{
    start();
    form->Main4Click();
    OptionsScreen *o = form->options();
    o->setPage(OptionsScreen::ScreenPage);
    key('R');
    EXPECT_EQ(o->Knob1->value(), 136);
    for (int i = 0; i < 20; ++i)
        key('R');
    EXPECT_EQ(o->Knob1->value(), 256);
    for (int i = 0; i < 40; ++i)
        key('L');
    EXPECT_EQ(o->Knob1->value(), 0);
    o->setPage(OptionsScreen::Sys);
    key('R'); // other pages: nothing
    EXPECT_EQ(o->Knob1->value(), 0);
}

TEST_F(WindowTest, ExitChoiceStopsAtBothEnds)
{
    start();
    form->Main4Click();
    OptionsScreen *o = form->options();
    o->setPage(OptionsScreen::Exit);
    key('L');
    EXPECT_EQ(o->RadioGroup1->itemIndex(), 0);
    for (int i = 0; i < 8; ++i)
        key('R');
    EXPECT_EQ(o->RadioGroup1->itemIndex(), 5);
}

TEST_F(WindowTest, MainColourChoiceRepaintsTheMenuBarAndStatusLine)
{
    start();
    form->Main4Click();
    OptionsScreen *o = form->options();
    o->setPage(OptionsScreen::Color);
    key('L'); // no choice yet: swatch 1
    EXPECT_EQ(o->MainColourChoice->itemIndex(), 0);
    key('R');
    key('R');
    EXPECT_EQ(o->MainColourChoice->itemIndex(), 2);
    const QColor swatch3(0xB8, 0x9B, 0x70); // $00709BB8
    EXPECT_EQ(form->colours().main(), swatch3);
    EXPECT_EQ(form->mainMenu()->palette().color(QPalette::Window), swatch3);
    EXPECT_EQ(form->statusLine()->Clock->palette().color(QPalette::WindowText), swatch3);
    for (int i = 0; i < 12; ++i)
        key('R');
    EXPECT_EQ(o->MainColourChoice->itemIndex(), 9);
}

TEST_F(WindowTest, MainScreenImageSelectionWraps)
{
    QImage(solidJpeg(Qt::red, 40)).save(dir.file("b.jpg"), "JPG");
    QImage(solidJpeg(Qt::blue, 50)).save(dir.file("A.jpg"), "JPG");
    start();
    form->Main4Click();
    OptionsScreen *o = form->options();
    o->setPage(OptionsScreen::StartComSound);
    key('R');
    EXPECT_EQ(o->MainImageEdit->text(), dir.file("A.jpg"));
    key('R');
    EXPECT_EQ(o->MainImageEdit->text(), dir.file("b.jpg"));
    key('R');
    EXPECT_EQ(o->MainImageEdit->text(), dir.file("A.jpg"));
    key('L');
    EXPECT_EQ(o->MainImageEdit->text(), dir.file("b.jpg"));
    EXPECT_FALSE(o->MainImageThumb->pixmap().isNull());
}

TEST_F(WindowTest, ClickOnTheMainPictureTellsItsOwnHeightAndMinimises)
{
    // 1200 pixels high, shown scaled into the 379 of the screen.
    QImage(solidJpeg(Qt::red, 1200)).save(dir.file("Audi A8.jpg"), "JPG");
    start();
    QString told;
    QTimer::singleShot(0, [&told] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        told = box->text();
        box->accept();
    });
    form->Image1Click();
    EXPECT_EQ(told, "1200");
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
}

TEST_F(WindowTest, PoiLadders)
{
    start();
    form->ComandPanelBottomLeftClick();
    PoiKeys *poi = form->poiKeys();
    poi->MapScaleKm = 0.3;
    key('L');
    EXPECT_EQ(poi->MapScaleKm, 0.3);
    key('R');
    EXPECT_EQ(poi->MapScaleKm, 0.5);
    // The warning draws the map at the knob's scale and warns within its distance.
    EXPECT_EQ(form->cameraWarning()->scaleKm(), 0.5);
    poi->MapScaleKm = 0.2;
    key('R');
    EXPECT_EQ(poi->MapScaleKm, 0.5);
    poi->MapScaleKm = 20;
    key('R');
    EXPECT_EQ(poi->MapScaleKm, 20);
    key('L');
    EXPECT_EQ(poi->MapScaleKm, 10);
    poi->MapScaleKm = 7;
    key('L');
    EXPECT_EQ(poi->MapScaleKm, 7);
    poi->WarningDistanceKm = 0.2;
    key('Z');
    EXPECT_NEAR(poi->WarningDistanceKm, 0.1, 1e-9);
    EXPECT_NEAR(form->cameraWarning()->warningDistanceKm(), 0.1, 1e-9);
    key('Z');
    EXPECT_NEAR(poi->WarningDistanceKm, 0.1, 1e-9);
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
}

TEST_F(WindowTest, OptionsAndBackSavesEveryKeyAndKeepsUnknownContent)
{
    dir.write("Rovana.ini", "[Garage]\ndoor=open\n[Pathes]\nMP3=/music\nMyKey=42\n");
    start();
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Settings);
    form->options()->setPage(OptionsScreen::Color);
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_EQ(form->navigator().title(), "Main");
    EXPECT_EQ(form->options()->page(), OptionsScreen::Sys);

    const QByteArray text = dir.read("Rovana.ini");
    EXPECT_TRUE(text.startsWith("[Garage]\ndoor=open\n[Pathes]\nMP3=/music\nMyKey=42\n"));
    const QList<QByteArray> order = {"MAIN=",
                                     "[Bitmaps]",
                                     "MP3PlayingBackgroundBitmap=",
                                     "[Sounds]",
                                     "Warning=",
                                     "[ExitOptions]",
                                     "RadioGroup1.ItemIndex=",
                                     "[LastRecorded]",
                                     "km=",
                                     "[Colors]",
                                     "ComandPanel_ComandColor=",
                                     "cpx1.color=",
                                     "cpx2.color=",
                                     "cpx3.color=",
                                     "cpx4.color=",
                                     "cpx5.color=",
                                     "cpx6.color=",
                                     "cpx7.color=",
                                     "cpx8.color=",
                                     "cpx9.color=",
                                     "cpx10.color=",
                                     "[MouseOptions]",
                                     "Enabled=",
                                     "[GPSMouseOptions]",
                                     "Enabled=",
                                     "[CAN2ComPort]",
                                     "Enabled=",
                                     "[Global_radarwarning]",
                                     "Enabled=",
                                     "[Global_log]",
                                     "Enabled=",
                                     "[GPSComPort]",
                                     "RadioGroup3.ItemIndex="};
    qsizetype at = 0;
    for (const QByteArray &piece : order) {
        const qsizetype found = text.indexOf(piece, at);
        ASSERT_GE(found, 0) << piece.constData() << " missing or out of order in\n"
                            << text.constData();
        at = found + piece.size();
    }
    const IniFile ini = IniFile::load(dir.file("Rovana.ini"));
    EXPECT_EQ(ini.readString("Pathes", "MOVIE", "?"), form->options()->MoviePathEdit->text());
    EXPECT_EQ(ini.readString("Pathes", "LOG", "?"), form->options()->LogPathEdit->text());
}

TEST_F(WindowTest, RadarWarningSwitchShowsThePoiIndicator)
{
    dir.write("Rovana.ini", "[Global_radarwarning]\nEnabled=1\n");
    start();
    EXPECT_TRUE(form->statusLine()->sensorlabel->isVisibleTo(form.get()));
    EXPECT_TRUE(form->shared().RadarSystemOn);
}

TEST_F(WindowTest, KeysOfOtherWindowsAreNotDispatched)
{
    start();
    QWidget other;
    other.show();
    KeyInput::press(&other, 'R');
    EXPECT_EQ(highlighted(), MainMenuBar::DriversLog);
}

// The program never falls back to a stand-in: a required service left out is named and the
// window is not made.
TEST(WindowServices, AMissingServiceIsNamed)
{
    TempDir dir;
    Services services = standInServices();
    services.sound.reset();
    services.clock.reset();
    EXPECT_EQ(services.missing(), "a sound player, a system clock");
    try {
        TForm1 form(dir.path(), std::move(services));
        ADD_FAILURE() << "made without a sound player";
    } catch (const std::invalid_argument &e) {
        EXPECT_STREQ(e.what(), "Rovana's window needs a sound player, a system clock");
    }
    EXPECT_TRUE(standInServices().missing().isEmpty());
}
