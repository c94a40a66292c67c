#include "media/FileByteSource.h"

FileByteSource::FileByteSource(const QString &path) : m_file(path)
{
    // Unbuffered: the readers either take large blocks or seek over most of the file.
    if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        m_size = m_file.size();
}

qint64 FileByteSource::read(qint64 offset, char *dest, qint64 length)
{
    if (offset < 0 || length <= 0 || offset >= m_size)
        return 0;
    if (!m_file.seek(offset))
        return -1;
    qint64 total = 0;
    while (total < length) {
        const qint64 got = m_file.read(dest + total, length - total);
        if (got < 0)
            return -1;
        if (got == 0)
            break; // the file shrank since it was opened
        total += got;
    }
    return total;
}
