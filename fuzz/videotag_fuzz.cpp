#include "media/MemoryByteSource.h"
#include "media/VideoCodecTag.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a video file: the tag is the bytes at the codec offset, and the type the
// list shows is one to four printable characters.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    MemoryByteSource source(bytes);
    const QByteArray tag = VideoCodecTag::ReadVideoCodecTag(source);
    const qsizetype at = VideoCodecTag::Offset;
    const QByteArrayView expected = bytes.size() > at
                                        ? bytes.sliced(at, qMin<qsizetype>(4, bytes.size() - at))
                                        : QByteArrayView();
    if (tag != expected)
        __builtin_trap();
    const QString type = VideoCodecTag::videoType(tag);
    if (type.isEmpty() || type.size() > 4)
        __builtin_trap();
    for (const QChar c : type) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c >= u'a' && c <= u'z'))
            __builtin_trap();
    }
    return 0;
}
