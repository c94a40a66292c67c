#pragma once

#include <QByteArray>
#include <QtGlobal>

// Random access to the bytes of a track, so that the tag reader and the frame scanner
// can walk a file without loading it whole and can be fed plain memory in tests and
// fuzzers.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    // Copies up to length bytes from offset into dest and returns how many it copied:
    // fewer near the end, 0 at or past the end, -1 on a read error.
    virtual qint64 read(qint64 offset, char *dest, qint64 length) = 0;

    // The same into a new array; a short or failed read gives a shorter or empty array.
    QByteArray readBytes(qint64 offset, qint64 length)
    {
        if (offset < 0 || length <= 0 || offset >= size())
            return {};
        QByteArray bytes(qsizetype(qMin(length, size() - offset)), Qt::Uninitialized);
        const qint64 got = read(offset, bytes.data(), bytes.size());
        bytes.truncate(qsizetype(qMax<qint64>(got, 0)));
        return bytes;
    }
};
