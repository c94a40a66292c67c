#include "FeedLog.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;

TEST(FeedLogTest, NmeaBurstStartsAtEachGga)
{
    const auto blocks = FeedLog::nmeaBlocks("$GPGGA,1*00\n$GPRMC,1*00\n$GPGSA,1*00\n"
                                            "$GPGGA,2*00\r\n$GPRMC,2*00\r\n");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].bytes, "$GPGGA,1*00\r\n$GPRMC,1*00\r\n$GPGSA,1*00\r\n");
    EXPECT_EQ(blocks[1].bytes, "$GPGGA,2*00\r\n$GPRMC,2*00\r\n");
    EXPECT_EQ(blocks[1].pauseBefore, milliseconds(0));
}

TEST(FeedLogTest, NmeaLinesBeforeTheFirstGgaAndOtherTalkers)
{
    const auto blocks = FeedLog::nmeaBlocks("# captured\n$GPRMC,0*00\n\n$GNGGA,1*00\n$GNRMC,1*00");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].bytes, "$GPRMC,0*00\r\n");
    EXPECT_EQ(blocks[1].bytes, "$GNGGA,1*00\r\n$GNRMC,1*00\r\n");
}

TEST(FeedLogTest, NmeaLogWithoutGgaIsOneBurst)
{
    const auto blocks = FeedLog::nmeaBlocks("$GPRMC,0*00\n$GPRMC,1*00\n");
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_TRUE(FeedLog::nmeaBlocks("\n# nothing\n").empty());
}

TEST(FeedLogTest, CanLinesEndInCarriageReturnOnly)
{
    const auto blocks = FeedLog::canBlocks("1003\r\n1105\n13WAUZZZ4E0AN000001\n");
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].bytes, "1003\r");
    EXPECT_EQ(blocks[1].bytes, "1105\r");
    EXPECT_EQ(blocks[2].bytes, "13WAUZZZ4E0AN000001\r");
}

TEST(FeedLogTest, CanPausesAndComments)
{
    const auto blocks = FeedLog::canBlocks("# ignition\n1003   # key 2\n+250\n+250\n1601\t# up\n"
                                           "   # nothing\n+1500\n");
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].pauseBefore, milliseconds(0));
    EXPECT_EQ(blocks[0].bytes, "1003\r");
    EXPECT_EQ(blocks[1].pauseBefore, milliseconds(500));
    EXPECT_EQ(blocks[1].bytes, "1601\r");
    // The pause at the end comes before the next round.
    EXPECT_EQ(blocks[2].pauseBefore, milliseconds(1500));
    EXPECT_TRUE(blocks[2].bytes.isEmpty());
}

TEST(FeedLogTest, CanLinesThatAreNoPauseAreSentAsTheyAre)
{
    // Bad lines are replayed too: the program must cope with them.
    const auto blocks = FeedLog::canBlocks("+x\n+-5\n+99999999999\n12x1\n16#0\n");
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[0].bytes, "+x\r");
    EXPECT_EQ(blocks[1].bytes, "+-5\r");
    EXPECT_EQ(blocks[2].bytes, "+99999999999\r");
    EXPECT_EQ(blocks[3].bytes, "12x1\r");
    EXPECT_EQ(blocks[4].bytes, "16#0\r");
}

} // namespace
