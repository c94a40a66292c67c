#include "can/CanLineJoiner.h"

#include <utility>

QByteArray CanLineJoiner::feed(const QByteArray &chunk)
{
    QByteArray text = m_tail + chunk;
    m_tail.clear();
    const qsizetype end = text.lastIndexOf('\r') + 1;
    if (text.size() - end > MaxWaiting)
        return text;
    m_tail = text.sliced(end);
    // A line feed after the last carriage return ends that line; it starts nothing.
    if (m_tail.count('\n') == m_tail.size())
        m_tail.clear();
    text.truncate(end);
    return text;
}

QByteArray CanLineJoiner::flush() { return std::exchange(m_tail, QByteArray()); }
