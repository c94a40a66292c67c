#include "media/DirectoryEntries.h"

#include "media/DirectoryReader.h"

#include <cstring>

namespace {

// Eight bytes at a time: no byte has its high bit set.
bool ascii(std::string_view bytes)
{
    quint64 any = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, bytes.data() + i, 8);
        any |= word;
    }
    for (; i < bytes.size(); ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return (any & 0x8080808080808080u) == 0;
}

} // namespace

void DirectoryEntries::add(std::string_view name, bool isDirectory)
{
    m_entries.push_back({quint32(m_names.size()), quint32(name.size()), isDirectory, ascii(name)});
    m_names.append(name);
}

QString DirectoryEntries::text(qsizetype i) const
{
    const std::string_view bytes = name(i);
    const qsizetype length = qsizetype(bytes.size());
    const QString &marker = DirectoryReader::DirectoryMarker;
    const qsizetype at = isDirectory(i) ? marker.size() : 0;
    if (!isAscii(i)) {
        // File names are UTF-8 to Qt on Linux.
        const QString decoded = QString::fromUtf8(bytes.data(), length);
        return at ? marker + decoded : decoded;
    }
    // Most names are ASCII: widened in place, one allocation for the whole text.
    QString out(at + length, Qt::Uninitialized);
    QChar *p = out.data();
    std::copy(marker.constBegin(), marker.constBegin() + at, p);
    for (qsizetype j = 0; j < length; ++j)
        p[at + j] = QChar(char16_t(bytes[size_t(j)]));
    return out;
}
