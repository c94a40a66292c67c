#include "Replayer.h"

#include "FeedSink.h"

#include <algorithm>

namespace {

constexpr qint64 BitsPerByte = 10;

} // namespace

Replayer::Replayer(std::vector<FeedBlock> blocks, ReplayPace pace, FeedClock &clock, FeedSink &sink)
    : m_blocks(std::move(blocks)), m_pace(pace), m_clock(clock), m_sink(sink)
{
    m_pace.baud = std::max(m_pace.baud, 1);
}

FeedClock::Time Replayer::byteTime() const
{
    return FeedClock::Time(BitsPerByte * 1'000'000'000 / m_pace.baud);
}

bool Replayer::play(bool loop)
{
    do {
        if (!playOnce())
            return false;
    } while (loop && !m_blocks.empty());
    return true;
}

bool Replayer::playOnce()
{
    for (const FeedBlock &block : m_blocks) {
        if (!sendBlock(block))
            return false;
    }
    ++m_stats.rounds;
    return true;
}

bool Replayer::sendBlock(const FeedBlock &block)
{
    if (!m_started) {
        m_started = true;
        m_lineFree = m_nextPeriod = m_clock.now();
    }
    FeedClock::Time start = m_lineFree + block.pauseBefore;
    if (m_pace.blockPeriod.count() > 0) {
        start = std::max(start, m_nextPeriod);
        m_nextPeriod = start + m_pace.blockPeriod;
    }
    if (!m_clock.waitUntil(start))
        return false;
    const qsizetype total = block.bytes.size();
    qsizetype sent = 0;
    while (sent < total) {
        // Byte i has arrived once its ten bits have passed.
        if (!m_clock.waitUntil(start + byteTime() * (sent + 1)))
            return false;
        const qsizetype arrived =
            std::min<qsizetype>(total, qsizetype((m_clock.now() - start) / byteTime()));
        const qsizetype upTo = std::max(arrived, sent + 1);
        m_sink.send(QByteArrayView(block.bytes).sliced(sent, upTo - sent));
        m_stats.bytes += upTo - sent;
        sent = upTo;
    }
    m_lineFree = start + byteTime() * total;
    ++m_stats.blocks;
    return true;
}
