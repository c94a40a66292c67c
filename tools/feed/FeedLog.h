#pragma once

#include "FeedBlock.h"

#include <QByteArray>

#include <vector>

// Reads replay logs into the bursts a device sends. Lines may end in LF or CR LF; empty
// lines and lines starting with "#" are skipped.
class FeedLog {
public:
    // NMEA sentences: a burst starts at each GGA sentence (a receiver's once-a-second
    // block); each sentence is sent ended by CR LF.
    static std::vector<FeedBlock> nmeaBlocks(const QByteArray &text);
    // CAN2COM lines: each is a burst of its own, sent ended by CR alone, as the adapter
    // does. A line "+N" pauses N milliseconds before the next line; text after blanks
    // and "#" is a comment.
    static std::vector<FeedBlock> canBlocks(const QByteArray &text);

    static constexpr int MaxPauseMs = 3600 * 1000;

private:
    static bool startsBlock(const QByteArray &sentence);
    static bool pause(const QByteArray &line, int *ms);
};
