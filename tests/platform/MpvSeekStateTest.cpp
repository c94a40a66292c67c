#include "platform/MpvSeekState.h"

#include <gtest/gtest.h>

// mpv's events in the orders it sends them: each seek command gets a reply, a seek it
// executes begins with "seek" and ends with "playback-restart".
TEST(MpvSeekState, OneSeekEndsWithTheRestartAfterItsReply)
{
    MpvSeekState seek;
    EXPECT_FALSE(seek.pending());
    const quint64 id = seek.ask();
    EXPECT_TRUE(seek.pending());
    EXPECT_FALSE(seek.restarted()); // a restart before the reply belongs to something older
    EXPECT_FALSE(seek.replied(id, true));
    EXPECT_TRUE(seek.pending());
    EXPECT_FALSE(seek.restarted()); // accepted, but not begun yet
    seek.started();
    EXPECT_TRUE(seek.restarted());
    EXPECT_FALSE(seek.pending());
    EXPECT_FALSE(seek.restarted());
}

TEST(MpvSeekState, AnOlderSeeksEventsDoNotEndTheLastOne)
{
    MpvSeekState seek;
    const quint64 first = seek.ask();
    const quint64 last = seek.ask();
    EXPECT_NE(first, last);
    EXPECT_FALSE(seek.replied(first, true));
    seek.started();
    EXPECT_FALSE(seek.restarted()); // the first seek's restart
    EXPECT_TRUE(seek.pending());
    EXPECT_FALSE(seek.replied(last, true));
    seek.started();
    EXPECT_TRUE(seek.restarted());
    EXPECT_FALSE(seek.pending());
}

TEST(MpvSeekState, SeeksJoinedByMpvEndWithTheirOneRestart)
{
    MpvSeekState seek;
    const quint64 first = seek.ask();
    const quint64 last = seek.ask();
    seek.replied(first, true);
    seek.replied(last, true);
    seek.started();
    EXPECT_TRUE(seek.restarted());
}

TEST(MpvSeekState, ARefusedSeekEndsAtOnceAndOtherRepliesAreNotSeeks)
{
    MpvSeekState seek;
    EXPECT_FALSE(seek.replied(0, true)); // another command's reply, nothing asked
    const quint64 id = seek.ask();
    EXPECT_FALSE(seek.replied(0, false));
    EXPECT_TRUE(seek.pending());
    EXPECT_TRUE(seek.replied(id, false));
    EXPECT_FALSE(seek.pending());

    seek.ask();
    seek.reset(); // the film closed
    EXPECT_FALSE(seek.pending());
    EXPECT_FALSE(seek.replied(id + 1, true)); // its late reply starts nothing
    EXPECT_FALSE(seek.pending());
}
