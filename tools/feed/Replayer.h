#pragma once

#include "FeedBlock.h"
#include "FeedClock.h"

#include <QtGlobal>

#include <vector>

class FeedSink;

// How a device paces its bytes: its bit rate (8 data bits, no parity, one stop bit, so
// ten bits a byte) and, for a GPS receiver, the period at which its bursts start.
struct ReplayPace {
    int baud = 4800;
    std::chrono::milliseconds blockPeriod{0};
};

struct ReplayStats {
    qint64 blocks = 0;
    qint64 bytes = 0;
    qint64 rounds = 0;
};

// Sends the bursts of a log through a sink at the pace of the device: each byte once the
// line would have carried it, a burst after its pause and not before its period's start
// (a burst that takes longer than the period delays the next one instead of overlapping).
class Replayer {
public:
    Replayer(std::vector<FeedBlock> blocks, ReplayPace pace, FeedClock &clock, FeedSink &sink);

    // The log once, or over and over; false when the clock said stop.
    bool play(bool loop);
    bool playOnce();
    const ReplayStats &stats() const { return m_stats; }
    // Time the line needs for one byte.
    FeedClock::Time byteTime() const;

private:
    bool sendBlock(const FeedBlock &block);

    std::vector<FeedBlock> m_blocks;
    ReplayPace m_pace;
    FeedClock &m_clock;
    FeedSink &m_sink;
    ReplayStats m_stats;
    bool m_started = false;
    FeedClock::Time m_lineFree{0};
    FeedClock::Time m_nextPeriod{0};
};
