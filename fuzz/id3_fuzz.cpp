#include "media/MemoryByteSource.h"
#include "media/TID3Engine.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a track file: the tag reader must neither crash nor read outside the
// bytes, whatever sizes, flags and encodings they claim.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    MemoryByteSource source(bytes);
    const TrackTags tags = TID3Engine(source).read();
    // Texts come out trimmed.
    for (const QString &text : {tags.title, tags.artist})
        if (!text.isEmpty() && TID3Engine::trimmed(text) != text)
            __builtin_trap();
    // The frame-level pieces alone, on the same bytes.
    (void)TID3Engine::decodeText(bytes);
    (void)TID3Engine::inflateCapped(bytes, 4096);
    if (TID3Engine::resynchronise(bytes).size() > bytes.size())
        __builtin_trap();
    return 0;
}
