#include "Replayer.h"
#include "FakeFeedClock.h"
#include "FeedLog.h"
#include "FeedSink.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using Time = FeedClock::Time;

// Every byte with the time it went out.
class RecordingSink : public FeedSink {
public:
    explicit RecordingSink(FeedClock &clock) : m_clock(clock) {}
    void send(QByteArrayView bytes) override
    {
        for (char c : bytes) {
            data += c;
            times.push_back(m_clock.now());
        }
        ++writes;
    }
    QByteArray data;
    std::vector<Time> times;
    int writes = 0;

private:
    FeedClock &m_clock;
};

constexpr Time GpsByte = Time(10'000'000'000 / 4800); // ten bits at 4800 bit/s
constexpr Time CanByte = Time(10'000'000'000 / 9600);

class ReplayerTest : public ::testing::Test {
protected:
    FakeFeedClock clock;
    RecordingSink sink{clock};
};

TEST_F(ReplayerTest, GpsBurstsStartOnceASecondAtTheLineRate)
{
    Replayer replayer({{0ms, "$GPGGA,1*00\r\n"}, {0ms, "$GPGGA,2*00\r\n"}}, {4800, 1000ms}, clock,
                      sink);
    ASSERT_TRUE(replayer.play(false));
    ASSERT_EQ(sink.data, "$GPGGA,1*00\r\n$GPGGA,2*00\r\n");
    ASSERT_EQ(sink.times.size(), 26u);
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_EQ(sink.times[i], GpsByte * (i + 1)) << i;
        EXPECT_EQ(sink.times[13 + i], Time(1s) + GpsByte * (i + 1)) << i;
    }
    EXPECT_EQ(replayer.stats().blocks, 2);
    EXPECT_EQ(replayer.stats().bytes, 26);
    EXPECT_EQ(replayer.stats().rounds, 1);
}

TEST_F(ReplayerTest, BurstLongerThanASecondDelaysTheNext)
{
    // 600 bytes need 1.25 s at 4800 bit/s.
    const QByteArray longBurst(600, 'x');
    Replayer replayer({{0ms, longBurst}, {0ms, "y"}, {0ms, "z"}}, {4800, 1000ms}, clock, sink);
    ASSERT_TRUE(replayer.play(false));
    EXPECT_EQ(sink.times[599], GpsByte * 600);
    EXPECT_EQ(sink.times[600], GpsByte * 600 + GpsByte);
    EXPECT_EQ(sink.times[601], GpsByte * 600 + Time(1s) + GpsByte);
}

TEST_F(ReplayerTest, CanLinesBackToBackAfterTheirPauses)
{
    Replayer replayer(FeedLog::canBlocks("1003\n1105\n+500\n1601\n"), {9600, 0ms}, clock, sink);
    ASSERT_TRUE(replayer.play(false));
    EXPECT_EQ(sink.data, "1003\r1105\r1601\r");
    EXPECT_EQ(sink.times[4], CanByte * 5);
    EXPECT_EQ(sink.times[5], CanByte * 6);
    EXPECT_EQ(sink.times[9], CanByte * 10);
    EXPECT_EQ(sink.times[10], CanByte * 10 + Time(500ms) + CanByte);
}

TEST_F(ReplayerTest, NeverFasterThanTheLineWhenWakingLate)
{
    // A coarse clock wakes 7 ms late: several bytes go at once, none before its time.
    clock.wakeLateBy(7ms);
    Replayer replayer(FeedLog::nmeaBlocks(QByteArray(300, 'a') + "\n$GPGGA\n"), {4800, 1000ms},
                      clock, sink);
    ASSERT_TRUE(replayer.play(false));
    ASSERT_EQ(sink.data.size(), 302 + 8);
    const Time start = sink.times[0] - GpsByte - 7ms;
    for (size_t i = 0; i < sink.times.size(); ++i) {
        // Bytes of the burst so far, and what the line could have carried by then.
        const bool second = i >= 302;
        const qint64 byteOfBurst = qint64(second ? i - 302 : i) + 1;
        const Time sinceBurst = sink.times[i] - start - (second ? Time(1s) : Time(0));
        EXPECT_LE(byteOfBurst, sinceBurst / GpsByte) << i;
    }
    EXPECT_LT(sink.writes, int(sink.data.size()));
    // The second burst still starts on its second, not a second after the late first.
    EXPECT_EQ(sink.times[302] - start, Time(1s) + GpsByte + 7ms);
}

TEST_F(ReplayerTest, LoopsUntilTheClockSaysStop)
{
    Replayer replayer({{0ms, "ab"}}, {9600, 0ms}, clock, sink);
    clock.stopAfter(3 * 7 + 2); // each round: the start and two bytes
    EXPECT_FALSE(replayer.play(true));
    EXPECT_EQ(replayer.stats().rounds, 7);
    EXPECT_EQ(sink.data, QByteArray("ab").repeated(7) + "a");
}

TEST_F(ReplayerTest, LoopKeepsThePaceAcrossTheEnd)
{
    Replayer replayer({{0ms, "g"}, {0ms, "h"}}, {4800, 1000ms}, clock, sink);
    clock.stopAfter(2 * 2 * 3);
    replayer.play(true);
    ASSERT_EQ(sink.data, "ghghgh");
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(sink.times[i], Time(1s) * i + GpsByte) << i;
}

TEST_F(ReplayerTest, StopWhileWaitingForABurst)
{
    Replayer replayer({{0ms, "1"}, {10s, "2"}}, {9600, 0ms}, clock, sink);
    clock.stopAfter(2);
    EXPECT_FALSE(replayer.play(false));
    EXPECT_EQ(sink.data, "1");
    EXPECT_EQ(replayer.stats().blocks, 1);
}

TEST_F(ReplayerTest, PauseOnlyBurstAtTheEndOfALoop)
{
    Replayer replayer(FeedLog::canBlocks("1601\n+1000\n"), {9600, 0ms}, clock, sink);
    clock.stopAfter(2 * 6 + 1 + 1);
    replayer.play(true);
    ASSERT_GE(sink.times.size(), 10u);
    EXPECT_EQ(sink.times[5] - sink.times[0], Time(1s) + CanByte * 5);
}

} // namespace
