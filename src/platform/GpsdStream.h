#pragma once

#include <QByteArray>
#include <QList>

// What gpsd sends a client that asked for NMEA: its own JSON reports, one object a line,
// and between them the receiver's NMEA sentences. take() keeps the sentences, each ended
// with CR LF as a receiver sends them, and drops the reports; a line cut by the end of a
// read waits for its rest. A line longer than any sentence or report is junk and dropped
// up to its end.
class GpsdStream {
public:
    static constexpr qsizetype MaxLine = 1024;
    // The most a chunk holds, as the serial port's reads.
    static constexpr qsizetype MaxChunk = 2048;

    // The sentences completed by bytes, in chunks of at most MaxChunk bytes.
    QList<QByteArray> take(const char *bytes, qsizetype count);

private:
    void endLine(QList<QByteArray> &chunks);

    QByteArray m_line;
    bool m_skipping = false;
};
