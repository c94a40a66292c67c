#include "../tests/media/ReferenceScan.h"

#include "media/MemoryByteSource.h"
#include "media/TMPEGAudio.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a track file, the first byte choosing a block size: the block scan must
// give exactly the result of the byte-by-byte scan.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qint64 blockSize = 1 + data[0] % 64;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const TMPEGAudio::Result expected = referenceScan(bytes);
    for (qint64 block : {blockSize, TMPEGAudio::DefaultBlockSize}) {
        MemoryByteSource source(bytes);
        const TMPEGAudio::Result r = TMPEGAudio(source, block).scan();
        if (r.outcome != expected.outcome || r.offset != expected.offset ||
            r.bitRate != expected.bitRate)
            __builtin_trap();
    }
    return 0;
}
