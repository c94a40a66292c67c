#include "app/DayNight.h"
#include "app/MainMenuBar.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/ColourScheme.h"
#include "support/ManualSystemClock.h"
#include "support/PortRequestLog.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/PanelButton.h"

#include <gtest/gtest.h>

#include <QLabel>
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
        Services services;
        services.clock = std::move(c);
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
    double meanLuminance(const char *name) const
    {
        const QImage image = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty())
            image.save(keep + QLatin1Char('/') + QLatin1String(name));
        double sum = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QColor c = image.pixelColor(x, y);
                sum += 0.2126 * std::pow(c.redF(), 2.2) + 0.7152 * std::pow(c.greenF(), 2.2) +
                       0.0722 * std::pow(c.blueF(), 2.2);
            }
        return sum / ((image.height() / 2) * (image.width() / 2));
    }

    TempDir dir;
    ManualSystemClock *clock = nullptr;
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
