#pragma once

#include "media/ByteSource.h"

#include <QByteArrayView>

// Bytes already in memory; the caller keeps them alive while the source is used.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(QByteArrayView bytes) : m_bytes(bytes) {}
    qint64 size() const override { return m_bytes.size(); }
    qint64 read(qint64 offset, char *dest, qint64 length) override;

private:
    QByteArrayView m_bytes;
};
