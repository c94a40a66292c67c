#pragma once

#include <QThread>

#include <array>
#include <chrono>
#include <memory>

class CommLink;
class LineErrors;

// The reader of an open port. It sleeps in poll() on the device and the close event and
// collects bytes into one 2048-byte buffer; a chunk is complete when the buffer is full or
// when CarTimeout ms pass without a further byte after at least one (a CarTimeout of 0
// or less: only a full buffer completes it). Each chunk is posted to the owner with a
// buffer of its own; line errors are posted as "Comm Event: ..." text. A vanished device
// ends the reader with a hang-up notification, after the bytes already received.
class TReadThread : public QThread {
public:
    static constexpr int BufferSize = 2048;

    TReadThread(std::shared_ptr<CommLink> link, int carTimeoutMs);

protected:
    void run() override;

private:
    using Clock = std::chrono::steady_clock;

    // -1 (wait without end) unless a chunk is waiting for its gap to pass.
    int pollTimeout() const;
    bool gapPassed() const;
    // False when the device is gone or failing.
    bool readAvailable();
    bool reportLineErrors(LineErrors &errors);
    bool deliver();
    void hangUp();

    std::shared_ptr<CommLink> m_link;
    const int m_carTimeout;
    std::array<char, BufferSize> m_buffer{};
    int m_count = 0;
    Clock::time_point m_lastByte;
};
