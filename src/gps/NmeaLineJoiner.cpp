#include "gps/NmeaLineJoiner.h"

#include "gps/NmeaFrame.h"

namespace {

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

} // namespace

QStringList NmeaLineJoiner::feed(const QString &chunk)
{
    QStringList lines;
    if (!m_tail.isEmpty() && chunk.startsWith(QLatin1Char('$'))) {
        lines << m_tail;
        m_tail.clear();
    }
    QString text = m_tail + chunk;
    m_tail.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineEnd(text[i]))
            continue;
        if (i > start)
            lines << text.sliced(start, i - start);
        start = i + 1;
    }
    const QString rest = text.sliced(start);
    if (NmeaFrame::of(rest).checksum() == NmeaFrame::Checksum::Good)
        lines << rest;
    else if (rest.size() <= MaxLine)
        m_tail = rest;
    return lines;
}
