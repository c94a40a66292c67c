#include "media/MemoryByteSource.h"

#include <cstring>

qint64 MemoryByteSource::read(qint64 offset, char *dest, qint64 length)
{
    if (offset < 0 || length <= 0 || offset >= size())
        return 0;
    const qint64 n = qMin(length, size() - offset);
    std::memcpy(dest, m_bytes.data() + offset, size_t(n));
    return n;
}
