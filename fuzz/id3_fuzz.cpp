#include "media/MemoryByteSource.h"
#include "media/TID3Engine.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a track file: the tag reader must neither crash nor read outside the
// bytes, whatever sizes, flags and encodings they claim, for texts and pictures alike.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    MemoryByteSource source(bytes);
    const TrackTags tags = TID3Engine(source).read();
    // Texts come out trimmed.
    for (const QString &text : {tags.title, tags.artist})
        if (!text.isEmpty() && TID3Engine::trimmed(text) != text)
            __builtin_trap();
    // A picture found is no larger than the cap and lies within the bytes.
    if (const auto picture = TID3Engine(source).cover())
        if (picture->data.size() > TID3Engine::MaxPicture || picture->data.size() > bytes.size())
            __builtin_trap();
    // The frame-level pieces alone, on the same bytes.
    for (bool v22 : {false, true})
        if (const auto picture = TID3Engine::parsePicture(bytes, v22))
            if (picture->data.size() >= bytes.size())
                __builtin_trap();
    (void)TID3Engine::decodeText(bytes);
    (void)TID3Engine::inflateCapped(bytes, 4096);
    if (TID3Engine::resynchronise(bytes).size() > bytes.size())
        __builtin_trap();
    return 0;
}
