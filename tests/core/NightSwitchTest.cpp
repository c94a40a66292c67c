#include "core/NightSwitch.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimeZone>

namespace {

using Lights = NightSwitch::Lights;
using Source = NightSwitch::Source;

const QDateTime Noon(QDate(2026, 12, 21), QTime(12, 0), QTimeZone::utc());

class NightSwitchTest : public ::testing::Test {
protected:
    NightSwitchTest() { night.setSource(Source::Lights, now); }

    void runFor(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            now = now.addSecs(1);
            night.tick(now);
        }
    }
    void lights(Lights l) { night.lightsChanged(l, now); }

    QDateTime now = Noon;
    NightSwitch night;
    QSignalSpy changes{&night, &NightSwitch::nightChanged};
};

} // namespace

// Off, Lower, Park, Off: night after the hold, kept through Park, day after the hold.
TEST_F(NightSwitchTest, TheLightSwitchSequenceWithTheHold)
{
    lights(Lights::Off);
    runFor(30);
    EXPECT_FALSE(night.isNight());

    lights(Lights::Lower);
    runFor(NightSwitch::HoldSeconds - 1);
    EXPECT_FALSE(night.isNight());
    runFor(1);
    EXPECT_TRUE(night.isNight());

    lights(Lights::Park);
    runFor(60);
    EXPECT_TRUE(night.isNight());

    lights(Lights::Off);
    runFor(NightSwitch::HoldSeconds - 1);
    EXPECT_TRUE(night.isNight());
    runFor(1);
    EXPECT_FALSE(night.isNight());
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes[0][0].toBool(), true);
    EXPECT_EQ(changes[1][0].toBool(), false);
}

// A flash of the lights (or a tunnel shorter than the hold) changes nothing, and the hold
// starts again with the next change.
TEST_F(NightSwitchTest, AChangeShorterThanTheHoldIsIgnored)
{
    lights(Lights::Upper);
    runFor(5);
    lights(Lights::Off);
    runFor(30);
    EXPECT_FALSE(night.isNight());
    lights(Lights::Upper);
    runFor(7);
    lights(Lights::Park); // keeps what is wanted: the hold goes on
    runFor(3);
    EXPECT_TRUE(night.isNight());
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(NightSwitchTest, ParkBeforeAnyOtherPositionKeepsDay)
{
    lights(Lights::Park);
    runFor(30);
    EXPECT_FALSE(night.isNight());
    EXPECT_TRUE(changes.isEmpty());
}

// The sun at the last fix: day without a fix, night after dusk once held.
TEST_F(NightSwitchTest, TheSunAtTheLastPosition)
{
    night.setSource(Source::Sun, now);
    now = QDateTime(QDate(2026, 12, 21), QTime(20, 0), QTimeZone::utc());
    runFor(30);
    EXPECT_FALSE(night.isNight());                // no fix yet
    night.positionChanged(51.5074, -0.1278, now); // London, after dusk
    runFor(NightSwitch::HoldSeconds);
    EXPECT_TRUE(night.isNight());
    night.positionChanged(-33.8688, 151.2093, now); // Sydney: morning
    runFor(NightSwitch::HoldSeconds);
    EXPECT_FALSE(night.isNight());
}

TEST_F(NightSwitchTest, AFixedSourceAppliesAtOnceAndIgnoresTheLights)
{
    night.setSource(Source::Night, now);
    EXPECT_TRUE(night.isNight());
    lights(Lights::Off);
    runFor(30);
    EXPECT_TRUE(night.isNight());
    night.setSource(Source::Day, now);
    EXPECT_FALSE(night.isNight());
    EXPECT_EQ(changes.size(), 2);
    // The lights last said night: chosen as the source, they apply at once.
    lights(Lights::Upper);
    night.setSource(Source::Lights, now);
    EXPECT_TRUE(night.isNight());
}

TEST(NightSwitchSourceTest, TextsOfTheSetting)
{
    EXPECT_EQ(NightSwitch::sourceFromText(" Lights "), Source::Lights);
    EXPECT_EQ(NightSwitch::sourceFromText("SUN"), Source::Sun);
    EXPECT_EQ(NightSwitch::sourceFromText("night"), Source::Night);
    EXPECT_FALSE(NightSwitch::sourceFromText("dusk"));
    for (Source s : {Source::Lights, Source::Sun, Source::Day, Source::Night})
        EXPECT_EQ(NightSwitch::sourceFromText(NightSwitch::sourceText(s)), s);
    // Empty or unknown: the lights where the CAN2COM link tells of them.
    EXPECT_EQ(NightSwitch::sourceFor("", true), Source::Lights);
    EXPECT_EQ(NightSwitch::sourceFor("dusk", false), Source::Sun);
    EXPECT_EQ(NightSwitch::sourceFor("day", true), Source::Day);
}
