#include "core/LongTimeFormat.h"
#include "log/LogbookFixture.h"
#include "platform/TimedatedSystemClock.h"
#include "support/DbusMock.h"

#include <gtest/gtest.h>

// The drivers log's clock steps as the car PC makes them: through timedated, here
// python3-dbusmock's template on a private bus, so the machine's clock stays untouched.
// The time of day the steps start from is the test's.
namespace {

constexpr int BusBoundMs = 10000; // a real peer on a busy machine; reached on failure only

class ClockThroughTimedatedTest : public LogbookFixture {
protected:
    void SetUp() override
    {
        if (!DbusMock::available())
            GTEST_SKIP() << "dbus-daemon is not installed";
        timedated = std::make_unique<DbusMock>("timedated", "org.freedesktop.timedate1",
                                               R"({"NTP": false})");
        ASSERT_TRUE(timedated->ready());
        timeSetter = std::make_unique<TimedatedSystemClock>(timedated->bus(), 3000,
                                                            [this] { return clock.now(); });
        timed = std::make_unique<DriversLog>(
            DriversLog::Context{shared,
                                screens,
                                *screen,
                                *mapScreen,
                                *timeSetter,
                                positions,
                                programDir.path(),
                                [] { return QString(); },
                                [this](const QString &t) { traces << t; },
                                [] {},
                                {}});
    }
    void TearDown() override { LongTimeFormat::setPattern(LongTimeFormat::Seconds); }
    QStringList setTimeCalls() const { return timedated->calls().filter("SetTime"); }

    std::unique_ptr<DbusMock> timedated;
    std::unique_ptr<TimedatedSystemClock> timeSetter;
    std::unique_ptr<DriversLog> timed;
};

TEST_F(ClockThroughTimedatedTest, EachStepIsOneMinuteRelativeAndNeverIntoAnotherDay)
{
    clock.set(QDateTime(QDate(2004, 12, 6), QTime(23, 59, 30)));
    timed->ClockStepForward(); // would be tomorrow: not asked at all
    clock.set(QDateTime(QDate(2004, 12, 6), QTime(10, 0, 37, 250)));
    timed->ClockStepBack();
    EXPECT_EQ(LongTimeFormat::pattern(), "hh:mm");
    clock.set(QDateTime(QDate(2004, 12, 6), QTime(0, 0, 1)));
    timed->ClockStepBack(); // would be yesterday
    clock.set(QDateTime(QDate(2004, 12, 6), QTime(8, 59, 1)));
    timed->ClockStepForward();
    ASSERT_TRUE(QTest::qWaitFor([&] { return setTimeCalls().size() == 2; }, BusBoundMs));
    // Relative microseconds, with polkit allowed to ask.
    EXPECT_EQ(setTimeCalls(),
              QStringList({"SetTime -60000000 True True", "SetTime 60000000 True True"}));
    EXPECT_TRUE(traces.isEmpty());
}

} // namespace
