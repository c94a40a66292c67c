#include "platform/TimedatedSystemClock.h"
#include "support/DbusMock.h"

#include <gtest/gtest.h>

// timedated is python3-dbusmock's template on a private bus: the machine's clock is never
// touched.
namespace {

constexpr int BusBoundMs = 10000; // a real peer on a busy machine; reached on failure only

class TimedatedTest : public ::testing::Test {
protected:
    void start(const QByteArray &parameters)
    {
        if (!DbusMock::available())
            GTEST_SKIP() << "dbus-daemon is not installed";
        timedated =
            std::make_unique<DbusMock>("timedated", "org.freedesktop.timedate1", parameters);
        ASSERT_TRUE(timedated->ready());
        clock = std::make_unique<TimedatedSystemClock>(timedated->bus());
        clock->setTrace([this](const QString &line) { trace << line; });
    }
    QStringList setTimeCalls() const
    {
        return timedated->calls().filter(QStringLiteral("SetTime"));
    }

    std::unique_ptr<DbusMock> timedated;
    std::unique_ptr<TimedatedSystemClock> clock;
    QStringList trace;
};

TEST_F(TimedatedTest, AMinuteStepIsSetRelativeInMicrosecondsAndMayAskForAPassword)
{
    start(R"({"NTP": false})");
    EXPECT_TRUE(clock->shift(60'000));
    EXPECT_TRUE(clock->shift(-60'000));
    // Set as an absolute time it goes relative all the same.
    EXPECT_TRUE(clock->setLocalTime(clock->now().addSecs(3600)));
    EXPECT_FALSE(clock->setLocalTime(QDateTime()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return setTimeCalls().size() == 3; }, BusBoundMs));
    const QStringList calls = setTimeCalls();
    EXPECT_EQ(calls[0], "SetTime 60000000 True True");
    EXPECT_EQ(calls[1], "SetTime -60000000 True True");
    // The hour, less the moment between reading the clock and asking.
    const qlonglong hour = calls[2].section(' ', 1, 1).toLongLong();
    EXPECT_LE(hour, 3'600'000'000LL);
    EXPECT_GT(hour, 3'590'000'000LL);
    EXPECT_TRUE(calls[2].endsWith(" True True"));
    EXPECT_TRUE(trace.isEmpty());
}

TEST_F(TimedatedTest, WithTimeSynchronisationOnTheClockStaysAndTheTraceSaysSoOnce)
{
    start(R"({"NTP": true})");
    EXPECT_FALSE(clock->shift(60'000));
    EXPECT_FALSE(clock->shift(-60'000));
    EXPECT_EQ(trace, QStringList{TimedatedSystemClock::NtpActive});
    // Switched off in the system settings: the next step goes through.
    ASSERT_EQ(timedated->call("org.freedesktop.timedate1", "SetNTP", {false, false}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(clock->shift(60'000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return setTimeCalls().size() == 1; }, BusBoundMs));
    EXPECT_EQ(setTimeCalls(), QStringList{"SetTime 60000000 True True"});
    EXPECT_EQ(trace.size(), 1);
}

} // namespace
