#pragma once

#include <QEvent>

#include <memory>

// What a worker thread posts to the port's owner on the UI thread: a received chunk,
// whose buffer belongs to the notification and goes with it, or a hang-up.
class CommNotification : public QEvent {
public:
    enum class Kind { Data, Hangup };

    static QEvent::Type eventType();

    // Copies count bytes into a fresh buffer of count + 1 bytes; the last one is zero.
    // Throws std::bad_alloc when the buffer can't be had.
    static std::unique_ptr<CommNotification> data(const char *bytes, quint32 count);
    static std::unique_ptr<CommNotification> hangup();

    // Only the two makers above can name this key.
    class Key {
        friend class CommNotification;
        Key() = default;
    };
    CommNotification(Key, Kind kind, std::unique_ptr<char[]> buffer, quint32 count);

    Kind kind() const { return m_kind; }
    const char *buffer() const { return m_buffer.get(); }
    quint32 count() const { return m_count; }

private:
    Kind m_kind;
    std::unique_ptr<char[]> m_buffer;
    quint32 m_count;
};
