#pragma once

// The frame scan stepped through byte by byte, as plainly as it can be written: the
// block scan must give exactly its results. A tag is jumped over where it starts.

#include "media/TMPEGAudio.h"

#include <QByteArrayView>

inline TMPEGAudio::Result referenceScan(QByteArrayView bytes)
{
    const auto word = [&](qint64 at) {
        return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
               quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
    };
    const qint64 size = bytes.size();
    if (size <= 5)
        return {};
    for (qint64 p = 0; p + 4 <= size; ++p) {
        if (const auto tag =
                TMPEGAudio::tagLength(bytes.sliced(p, qMin<qint64>(10, size - p)), size - p)) {
            p += *tag - 1;
            continue;
        }
        const auto header = TMPEGAudio::decode(word(p));
        if (!header)
            continue;
        const qint64 next = p + header->frameLength;
        if (next + 4 > size || !TMPEGAudio::decode(word(next)))
            continue;
        TMPEGAudio::Result result{TMPEGAudio::Outcome::Found, p, header->bitRate};
        const qint64 mark = p + TMPEGAudio::xingOffset(*header);
        if (mark + 4 <= size && bytes.sliced(mark, 4) == "Xing")
            result.bitRate = TMPEGAudio::VariableBitRate;
        const qint64 vbri = p + TMPEGAudio::VbriOffset;
        if (vbri + 4 <= size && bytes.sliced(vbri, 4) == "VBRI")
            result.bitRate = TMPEGAudio::VariableBitRate;
        return result;
    }
    return {};
}
