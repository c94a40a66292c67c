#pragma once

#include <QString>
#include <QStringList>

// Cuts the chunks of the GPS line into whole lines. The serial reader hands over a chunk
// after a pause or when its buffer is full, so a sentence may be cut anywhere; the cut
// part waits and is joined with its rest from the next chunk. A waiting part counts as
// whole when it ends in a matching checksum, and when the next chunk starts a sentence
// of its own ("$"): nothing continues a sentence with a "$".
class NmeaLineJoiner {
public:
    // Longer than any sentence (82 characters): a part that grows beyond this is noise.
    static constexpr qsizetype MaxLine = 256;

    // The whole lines completed by this chunk, in order, without their line ends.
    QStringList feed(const QString &chunk);
    QString waiting() const { return m_tail; }

private:
    QString m_tail;
};
