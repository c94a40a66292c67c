#include "support/SerialSoak.h"

#include <gtest/gtest.h>

// A few seconds of both lines at once; bench_serial_soak runs the same for longer.
TEST(SerialSoak, TwoLinesDeliverEveryByteOnceAndInOrderWithoutHoldingUpTheUi)
{
    const SerialSoak::Result r = SerialSoak::run(std::chrono::seconds(3));
    ASSERT_TRUE(r.opened);
    for (const SerialSoak::Line &line : r.lines) {
        EXPECT_TRUE(line.fed);
        EXPECT_GT(line.sent.size(), 500);
        EXPECT_EQ(line.received.size(), line.sent.size());
        EXPECT_TRUE(line.received == line.sent);
        EXPECT_TRUE(line.terminated);
        EXPECT_LE(line.largestChunk, 2048);
        EXPECT_GT(line.chunks, 2);
        // The component's own work per chunk on the UI thread.
        EXPECT_LT(line.maxDispatchNs, 5'000'000);
    }
    EXPECT_LT(r.closeMs, 1000);
}
