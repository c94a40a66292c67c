#include "platform/GpsdStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes from a gpsd socket, cut in two at a place the input chooses. Besides not
// crashing: every chunk is within the serial port's size and made of whole lines that
// start with "$" or "!" and end with CR LF, and the cut changes nothing.
namespace {

QByteArray run(const QByteArray &bytes, qsizetype cut)
{
    GpsdStream stream;
    QByteArray all;
    const auto check = [&all](const QList<QByteArray> &chunks) {
        for (const QByteArray &chunk : chunks) {
            if (chunk.isEmpty() || chunk.size() > GpsdStream::MaxChunk || !chunk.endsWith("\r\n"))
                std::abort();
            for (const QByteArray &line : chunk.chopped(2).split('\n')) {
                if (line.isEmpty() || (line[0] != '$' && line[0] != '!'))
                    std::abort();
            }
            all += chunk;
        }
    };
    check(stream.take(bytes.constData(), cut));
    check(stream.take(bytes.constData() + cut, bytes.size() - cut));
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const qsizetype cut = bytes.isEmpty() ? 0 : qsizetype(data[0]) % (bytes.size() + 1);
    if (run(bytes, cut) != run(bytes, 0))
        std::abort();
    return 0;
}
