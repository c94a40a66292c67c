#pragma once

#include "media/ByteSource.h"

#include <QFile>
#include <QString>

// A file opened for reading for the lifetime of the source (opened for one operation
// and closed with it). A file that can't be opened reads as empty.
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    qint64 size() const override { return m_size; }
    qint64 read(qint64 offset, char *dest, qint64 length) override;

private:
    QFile m_file;
    qint64 m_size = 0;
};
