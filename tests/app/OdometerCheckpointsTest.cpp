#include "app/OdometerCheckpoints.h"
#include "can/FakeClock.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// The odometer as the GPS steps move it, the saves counted, a minute that passes only
// when the test says so.
class OdometerCheckpointsTest : public ::testing::Test {
protected:
    void drive(double km)
    {
        tripKm += km;
        checkpoints.odometerMoved();
    }

    FakeClock clock;
    double tripKm = 88890.4;
    std::vector<double> saves;
    OdometerCheckpoints checkpoints{tripKm, clock.factory()(), [this] {
                                        saves.push_back(tripKm);
                                    }};
};

constexpr int Minute = OdometerCheckpoints::MinimumIntervalMs;

TEST_F(OdometerCheckpointsTest, AKilometrePastTheLoadedValueSavesAtOnceThenAtMostOnceAMinute)
{
    for (int i = 0; i < 9; ++i)
        drive(0.1);
    EXPECT_TRUE(saves.empty()) << "0.9 km is not worth a save";
    drive(0.15);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_NEAR(saves[0], 88891.45, 1e-9);

    // Fast on the motorway: kilometres go by, the card is written once a minute.
    for (int s = 0; s < 59; ++s) {
        clock.advance(1000);
        drive(0.04);
    }
    EXPECT_EQ(saves.size(), 1u);
    clock.advance(1000);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_NEAR(saves[1], 88891.45 + 59 * 0.04, 1e-9);
}

TEST_F(OdometerCheckpointsTest, TheCarStoppingWithinTheMinuteIsSavedAtItsEnd)
{
    drive(1.05);
    ASSERT_EQ(saves.size(), 1u);
    clock.advance(10'000);
    drive(1.25); // then parked: no more steps
    clock.advance(Minute);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_NEAR(saves[1], 88892.7, 1e-9);
    // Nothing more to save: the minutes pass quietly.
    clock.advance(10 * Minute);
    EXPECT_EQ(saves.size(), 2u);
}

TEST_F(OdometerCheckpointsTest, LessThanAKilometreAtTheMinutesEndWaitsForTheNextKilometre)
{
    drive(1.2);
    clock.advance(30'000);
    drive(0.5);
    clock.advance(Minute);
    EXPECT_EQ(saves.size(), 1u);
    drive(0.6); // 1.1 km since the save, the minute long over: at once
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_NEAR(saves[1], 88892.7, 1e-9);
}

TEST_F(OdometerCheckpointsTest, ACorrectionDownByAKilometreCountsAndNonsenseNeverSaves)
{
    drive(-1.05);
    EXPECT_EQ(saves.size(), 1u);
    clock.advance(Minute);
    drive(std::numeric_limits<double>::quiet_NaN());
    clock.advance(5 * Minute);
    EXPECT_EQ(saves.size(), 1u);
}

} // namespace
