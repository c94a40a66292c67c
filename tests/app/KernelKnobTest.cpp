#include "app/KernelKnob.h"
#include "app/MainMenuBar.h"
#include "app/TForm1.h"
#include "core/Screen.h"
#include "gps/CameraWarning.h"
#include "gps/GpsReception.h"
#include "gps/RadarBin.h"
#include "platform/KnobDecoder.h"
#include "support/FakeInputDevice.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include "can/FakeClock.h"
#include "gps/CameraTestData.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>

using namespace CameraTestData;

namespace {

// The window with the knob of its settings on a fake input device.
class KernelKnobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        dir.write(QStringLiteral("Rovana.ini"),
                  "[Knob]\nDevice=/dev/input/by-id/knob\nLongPress=300\n"
                  "[Global_radarwarning]\nEnabled=1\n");
        dir.write(QStringLiteral("radar.bin"),
                  RadarBin::encode({cameraFrom(51.3509, 7.24, 0.6, 0.0, 50)}));
        form = std::make_unique<TForm1>(dir.path(), standInServices());
        KnobDevice::Places places{dir.path(), dir.path(),
                                  [this](const QByteArray &path, int flags) {
                                      opened << QString::fromUtf8(path);
                                      return device.open(flags);
                                  }};
        knob = std::make_unique<KernelKnob>(*form, places, clock.factory());
        knob->device().start();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    TempDir dir;
    FakeClock clock;
    FakeInputDevice device;
    QStringList opened;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<KernelKnob> knob;
};

} // namespace

TEST_F(KernelKnobTest, TheKnobsTurnsAndPressesActOnTheWindowAsItsKeysDo)
{
    EXPECT_EQ(opened, QStringList{"/dev/input/by-id/knob"});
    ASSERT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    const int first = form->mainMenu()->highlighted();
    device.send({inputRecord(EV_REL, REL_DIAL, 1), inputRecord(EV_SYN, SYN_REPORT, 0)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->mainMenu()->highlighted() != first; }, 5000));
    EXPECT_EQ(form->mainMenu()->highlighted(), first + 1);

    // The long press of the settings (300 ms) is Q: from the main menu to the options.
    device.send({inputRecord(EV_KEY, BTN_0, 1), inputRecord(EV_SYN, SYN_REPORT, 0)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return knob->device().decoder().pressed(); }, 5000));
    clock.advance(299);
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    clock.advance(1);
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Settings);
}

TEST_F(KernelKnobTest, TheLightPulsesWhileACameraAlertIsUp)
{
    EXPECT_EQ(device.leds(), std::vector<int>{KnobDevice::SteadyLed});
    form->gps()->ProcessNmeaText(ggaAt(51.3500, 7.24));
    form->gps()->ProcessNmeaText(ggaAt(51.3509, 7.24));
    ASSERT_EQ(form->navigator().activeScreen(), Screen::Radar) << "no alert raised";
    EXPECT_EQ(device.leds(), std::vector<int>{KnobDevice::PulsingLed});
    form->cameraWarning()->AlertDisappearTimerTimer();
    EXPECT_EQ(device.leds(), std::vector<int>{KnobDevice::SteadyLed});
}
