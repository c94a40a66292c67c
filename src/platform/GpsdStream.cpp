#include "platform/GpsdStream.h"

QList<QByteArray> GpsdStream::take(const char *bytes, qsizetype count)
{
    QList<QByteArray> chunks;
    for (qsizetype i = 0; i < count; ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            endLine(chunks);
            continue;
        }
        if (m_skipping)
            continue;
        if (m_line.size() >= MaxLine) {
            m_line.clear();
            m_skipping = true;
            continue;
        }
        m_line.append(c);
    }
    return chunks;
}

void GpsdStream::endLine(QList<QByteArray> &chunks)
{
    QByteArray line = std::exchange(m_line, {});
    const bool skipped = std::exchange(m_skipping, false);
    while (line.endsWith('\r'))
        line.chop(1);
    // Sentences start with "$" (or "!" for AIS); reports with "{".
    if (skipped || line.isEmpty() || (line[0] != '$' && line[0] != '!'))
        return;
    line.append("\r\n");
    if (chunks.isEmpty() || chunks.last().size() + line.size() > MaxChunk)
        chunks.append(line);
    else
        chunks.last().append(line);
}
