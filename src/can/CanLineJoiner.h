#pragma once

#include <QByteArray>

// Joins CAN2COM lines cut by a chunk boundary. The serial reader hands over a chunk after
// 40 ms of silence or when its buffer is full, so at a steady line rate a line may be cut
// anywhere; the bytes after the last carriage return wait for the next chunk instead of
// being decoded as a line of their own.
class CanLineJoiner {
public:
    // Beyond any line of the adapter: a part this long is decoded as it stands.
    static constexpr qsizetype MaxWaiting = 256;

    // The bytes to decode now: what waited and this chunk up to its last carriage return.
    QByteArray feed(const QByteArray &chunk);
    // The waiting bytes, given up on (the line ended without its carriage return).
    QByteArray flush();
    bool waiting() const { return !m_tail.isEmpty(); }

private:
    QByteArray m_tail;
};
