#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <csignal>

namespace {

// Each test installs the handlers itself, so none of these signals can end the test
// program: the signals are raised in-process.
TEST(TerminationSignalsTest, EachSignalArrivesInTheEventLoopInTheOrderRaised)
{
    TerminationSignals signals_;
    ASSERT_TRUE(signals_.valid());
    QSignalSpy received(&signals_, &TerminationSignals::received);
    ::raise(SIGTERM);
    ::raise(SIGHUP);
    ::raise(SIGINT);
    // Nothing runs inside the handler: only the event loop delivers.
    EXPECT_EQ(received.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 3; }, 5000));
    EXPECT_EQ(received[0][0].toInt(), SIGTERM);
    EXPECT_EQ(received[1][0].toInt(), SIGHUP);
    EXPECT_EQ(received[2][0].toInt(), SIGINT);
}

TEST(TerminationSignalsTest, OneOwnerAtATimeAndThePreviousHandlersReturn)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before), 0);
    {
        TerminationSignals first;
        ASSERT_TRUE(first.valid());
        TerminationSignals second;
        EXPECT_FALSE(second.valid());
        QSignalSpy toFirst(&first, &TerminationSignals::received);
        ::raise(SIGHUP);
        EXPECT_TRUE(QTest::qWaitFor([&] { return toFirst.count() == 1; }, 5000));
    }
    struct sigaction after {};
    ::sigaction(SIGHUP, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
    ::raise(SIGHUP); // ignored again, as before
    ::sigaction(SIGHUP, &before, nullptr);
    // Free again for the next owner.
    TerminationSignals next;
    EXPECT_TRUE(next.valid());
}

} // namespace
