#include "serial/LineErrors.h"
#include "serial/CommTrace.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(LineErrors, DescribeTheFlagsInTheirFixedOrder)
{
    EXPECT_EQ(LineErrors::eventText(LineErrors::CE_FRAME), "Comm Event: CE_FRAME, EvtMask = 8");
    EXPECT_EQ(LineErrors::eventText(LineErrors::CE_FRAME | LineErrors::CE_OVERRUN),
              "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10");
    EXPECT_EQ(LineErrors::eventText(LineErrors::CE_RXPARITY | LineErrors::CE_OVERRUN |
                                    LineErrors::CE_FRAME),
              "Comm Event: CE_FRAME and CE_OVERRUN and CE_RXPARITY, EvtMask = 14");
    EXPECT_EQ(LineErrors::eventText(LineErrors::CE_RXPARITY),
              "Comm Event: CE_RXPARITY, EvtMask = 4");
    EXPECT_EQ(LineErrors::eventText(0), "Comm Event: NULL Error, EvtMask = 0");
    EXPECT_EQ(LineErrors::eventText(0x10), "Comm Event: EV_ERR Unknown EvtMask, EvtMask = 16");
    EXPECT_EQ(LineErrors::eventText(0x10 | LineErrors::CE_OVERRUN),
              "Comm Event: CE_OVERRUN and EV_ERR Unknown EvtMask, EvtMask = 18");
}

TEST(LineErrors, EveryCounterThatMovedIsAFlagEvenAcrossAWrap)
{
    const LineErrors::Counts before{5, 7, 0xFFFFFFFFu};
    EXPECT_EQ(LineErrors::flagsBetween(before, before), 0u);
    EXPECT_EQ(LineErrors::flagsBetween(before, {6, 7, 0xFFFFFFFFu}), quint32(LineErrors::CE_FRAME));
    EXPECT_EQ(LineErrors::flagsBetween(before, {5, 9, 0}),
              quint32(LineErrors::CE_OVERRUN | LineErrors::CE_RXPARITY));
}

TEST(LineErrors, ALineWithoutErrorCountersReportsNone)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.valid());
    LineErrors errors(pty.slave());
    EXPECT_FALSE(errors.supported());
    EXPECT_EQ(errors.take(), 0u);
}

TEST(CommTrace, IsOffByDefaultAndWritesSystemErrorsInTheFixedForm)
{
    EXPECT_FALSE(CommTrace::enabled());
    EXPECT_EQ(CommTrace::systemErrorText("Unable to CreateEvent: ", ENOENT),
              "Unable to CreateEvent: GetLastError returned: \"No such file or directory\"");
}
