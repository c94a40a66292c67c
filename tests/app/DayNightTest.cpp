#include "app/DayNight.h"
#include "app/BrightnessControl.h"
#include "app/MainMenuBar.h"
#include "app/OptionsScreen.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/ColourScheme.h"
#include "core/IniFile.h"
#include "core/Screen.h"
#include "core/SettingsModel.h"
#include "gps/CameraWarning.h"
#include "gps/GpsReception.h"
#include "gps/RadarBin.h"
#include "gps/RadarScreen.h"
#include "support/KeyInput.h"
#include "support/ManualSystemClock.h"
#include "support/PortRequestLog.h"
#include "support/RecordingGammaRamp.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/PanelButton.h"
#include "widgets/PictureView.h"
#include "widgets/RadioGroup.h"

#include "gps/CameraTestData.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QTimeZone>

#include <cmath>

// The whole window by day and by night: the night switch from the settings, the CAN2COM
// light-switch line and the clock, the colours and the moon glyph that follow it.
namespace {

class DayNightTest : public ::testing::Test {
protected:
    void start(const QByteArray &ini)
    {
        dir.write("Rovana.ini", ini);
        auto c = std::make_unique<ManualSystemClock>(
            QDateTime(QDate(2026, 12, 21), QTime(12, 0), QTimeZone::utc()));
        clock = c.get();
        auto g = std::make_unique<RecordingGammaRamp>();
        gamma = g.get();
        Services services;
        services.clock = std::move(c);
        services.gamma = std::move(g);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
    }
    bool night() const { return form->dayNight()->nightSwitch().isNight(); }
    void canLine(const char *line)
    {
        static_cast<PortRequestLog &>(form->can2comPort()).deliver(line);
    }
    // Seconds pass on the computer's clock, the status clock ticking each one.
    void pass(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock->set(clock->now().addSecs(1));
            form->dayNight()->tick();
        }
    }
    QColor menuColour() const { return form->mainMenu()->palette().color(QPalette::Window); }
    // Mean relative luminance of the window as drawn.
    double meanLuminance(const QString &name) const { return meanLuminance(*form, name); }
    static double meanLuminance(QWidget &widget, const QString &name)
    {
        const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty())
            image.save(keep + QLatin1Char('/') + name);
        double sum = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QColor c = image.pixelColor(x, y);
                sum += 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                       0.0722 * std::pow(c.blueF(), 2.2);
            }
        return sum / ((image.height() / 2) * (image.width() / 2));
    }

    // The ramp the display has now, as a brightness knob position.
    GammaRamp::Table lastRamp() const
    {
        return gamma->applied().isEmpty() ? BrightnessControl::ramp(BrightnessControl::Standard)
                                          : gamma->applied().last();
    }
    IniFile saved() const { return IniFile::load(dir.path() + "Rovana.ini"); }

    TempDir dir;
    ManualSystemClock *clock = nullptr;
    RecordingGammaRamp *gamma = nullptr;
    std::unique_ptr<TForm1> form;
};

} // namespace

// With the CAN2COM link enabled the lights decide: Lower after the hold is night, Park keeps
// it, Off after the hold is day; the menu bar's colour and the moon follow.
TEST_F(DayNightTest, TheLightSwitchLineTurnsTheWindowToNightAndBack)
{
    start("[CAN2ComPort]\nEnabled=1\n");
    const QColor day = menuColour();
    EXPECT_FALSE(night());
    EXPECT_FALSE(form->statusLine()->NightIndicator->isVisibleTo(form.get()));

    canLine("1202\r"); // Light Lower
    pass(NightSwitch::HoldSeconds - 1);
    EXPECT_FALSE(night());
    pass(1);
    ASSERT_TRUE(night());
    const ColourScheme::Palette palette = ColourScheme::nightPalette(form->colours().main());
    EXPECT_EQ(menuColour(), palette.accent);
    EXPECT_EQ(form->mainMenu()->entry(MainMenuBar::Media)->textColour(), palette.textOnAccent);
    EXPECT_TRUE(form->statusLine()->NightIndicator->isVisibleTo(form.get()));

    canLine("1201\r"); // Light Park
    pass(60);
    EXPECT_TRUE(night());
    canLine("1200\r"); // Light Off
    pass(NightSwitch::HoldSeconds);
    EXPECT_FALSE(night());
    EXPECT_EQ(menuColour(), day);
    EXPECT_FALSE(form->statusLine()->NightIndicator->isVisibleTo(form.get()));
}

// Without the link the sun decides, and with no fix yet it is day; a source fixed in the
// settings applies from the start.
TEST_F(DayNightTest, TheSettingsChooseTheSource)
{
    start("[Night]\nSource=sun\n");
    canLine("1203\r");
    pass(30);
    EXPECT_FALSE(night());
    form.reset();
    start("[Night]\nSource=night\n");
    EXPECT_TRUE(night());
}

// The night frame of the main screen is far darker than the day frame.
TEST_F(DayNightTest, TheNightFrameIsDark)
{
    start("[Night]\nSource=day\n");
    form->resize(800, 600);
    const double day = meanLuminance("main-day.png");
    form.reset();
    start("[Night]\nSource=night\n");
    form->resize(800, 600);
    const double night = meanLuminance("main-night.png");
    EXPECT_GT(day, 0.0);
    EXPECT_LT(night, day / 4) << day << " " << night;
}

// The night brightness goes through the brightness ramp when night begins, the day's
// position comes back with the day, and what the driver sets by night is kept for the next
// night and in the settings file.
TEST_F(DayNightTest, TheBrightnessFollowsDayAndNight)
{
    start("[CAN2ComPort]\nEnabled=1\n");
    QSlider &knob = *form->options()->Knob1;
    knob.setValue(160); // the driver's choice by day
    EXPECT_EQ(lastRamp(), BrightnessControl::ramp(160));

    canLine("1203\r"); // Light Upper
    pass(NightSwitch::HoldSeconds);
    ASSERT_TRUE(night());
    EXPECT_EQ(lastRamp(), BrightnessControl::ramp(Settings::NightBrightnessDefault));
    knob.setValue(72); // too bright at night: turned down
    EXPECT_EQ(lastRamp(), BrightnessControl::ramp(72));

    canLine("1200\r");
    pass(NightSwitch::HoldSeconds);
    ASSERT_FALSE(night());
    EXPECT_EQ(knob.value(), 160);
    EXPECT_EQ(lastRamp(), BrightnessControl::ramp(160));

    canLine("1202\r");
    pass(NightSwitch::HoldSeconds);
    EXPECT_EQ(lastRamp(), BrightnessControl::ramp(72));
    form->configuration().SaveSettings();
    EXPECT_EQ(saved().readInteger("Night", "Brightness", -1), 72);
}

// A night brightness out of range in the file is brought into range.
TEST_F(DayNightTest, TheNightBrightnessIsReadWithinRange)
{
    start("[Night]\nSource=night\nBrightness=900\n");
    EXPECT_EQ(form->options()->Knob1->value(), Settings::NightBrightnessMax);
    form.reset();
    start("[Night]\nSource=night\nBrightness=-5\n");
    EXPECT_EQ(form->options()->Knob1->value(), 0);
}

// T on the options page "Screen" chooses the source: it applies at once, without the hold,
// and is written to the settings file; until the driver chooses, the file says nothing and
// the page shows the source that stands in (here the sun, the link being off).
TEST_F(DayNightTest, TheOptionsPageChoosesTheSource)
{
    start("");
    RadioGroup &choice = *form->options()->NightSourceChoice;
    EXPECT_EQ(choice.itemIndex(), int(NightSwitch::Source::Sun));
    form->configuration().SaveSettings();
    EXPECT_FALSE(saved().value("Night", "Source").has_value());

    form->navigator().showScreen(Screen::Settings);
    form->options()->setPage(OptionsScreen::ScreenPage);
    KeyInput::press(form.get(), 'T');
    KeyInput::press(form.get(), 'T');
    EXPECT_EQ(choice.itemIndex(), int(NightSwitch::Source::Night));
    EXPECT_TRUE(night());
    KeyInput::press(form.get(), 'T');
    EXPECT_EQ(choice.itemIndex(), int(NightSwitch::Source::Lights));
    EXPECT_TRUE(night()); // the lights have said nothing yet: the screen stays as it is
    KeyInput::press(form.get(), 'T');
    EXPECT_EQ(choice.itemIndex(), int(NightSwitch::Source::Sun));
    EXPECT_FALSE(night()); // no fix yet: day
    form->configuration().SaveSettings();
    EXPECT_EQ(saved().readString("Night", "Source", ""), "sun");
}

// Every screen by night, pictures and the radar map among them, is far darker than by day;
// a camera alert by night still shows its picture in full.
TEST_F(DayNightTest, EveryScreenIsDarkByNightAndTheAlertStillShows)
{
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(230, 220, 200));
    for (const char *name : {"Audi A8.jpg", "radarmap.png", "alert.jpg"})
        ASSERT_TRUE(picture.save(dir.path() + name));
    dir.write("radar.bin",
              RadarBin::encode({CameraTestData::cameraFrom(51.3509, 7.24, 0.6, 0.0, 50)}));
    start("[Night]\nSource=day\n[Global_radarwarning]\nEnabled=1\n");
    form->gps()->ProcessNmeaText(CameraTestData::ggaAt(51.3400, 7.24));
    std::array<double, Screen::Count> day{};
    for (int i = 0; i < Screen::Count; ++i) {
        form->navigator().showScreen(i);
        day[size_t(i)] = meanLuminance(QStringLiteral("day-%1.png").arg(i));
    }
    form->settings().set(&Settings::nightSource, QStringLiteral("night"));
    for (int i = 0; i < Screen::Count; ++i) {
        form->navigator().showScreen(i);
        const double night = meanLuminance(QStringLiteral("night-%1.png").arg(i));
        EXPECT_LT(night, day[size_t(i)] / 4) << "screen " << i;
    }

    // A good satellite count shows in the night's text colour, not white.
    form->gps()->ProcessNmeaText(CameraTestData::ggaAt(51.3450, 7.24));
    EXPECT_EQ(form->radar()->NAV_SatNum->palette().color(QPalette::WindowText),
              ColourScheme::nightPalette(form->colours().main()).text);

    form->navigator().showScreen(Screen::MP3Start);
    form->gps()->ProcessNmeaText(CameraTestData::ggaAt(51.3500, 7.24));
    form->gps()->ProcessNmeaText(CameraTestData::ggaAt(51.3509, 7.24));
    ASSERT_EQ(form->navigator().activeScreen(), Screen::Radar) << "no alert raised";
    PictureView &alert = *form->radar()->AlertImage;
    ASSERT_TRUE(alert.isVisibleTo(form.get()));
    // The picture fills the middle of its panel at full light.
    const QColor middle = alert.grab().toImage().pixelColor(alert.width() / 2, alert.height() / 2);
    EXPECT_GT(middle.red(), 200);
}
