#include "media/DirectoryEntries.h"

#include "media/DirectoryReader.h"

namespace {

bool ascii(std::string_view bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

void DirectoryEntries::reserve(size_t count, size_t bytes)
{
    m_entries.reserve(count);
    m_names.reserve(bytes);
}

void DirectoryEntries::add(std::string_view name, bool isDirectory)
{
    m_entries.push_back({quint32(m_names.size()), quint32(name.size()), isDirectory});
    m_names.append(name);
}

QString DirectoryEntries::text(qsizetype i) const
{
    const std::string_view bytes = name(i);
    const qsizetype length = qsizetype(bytes.size());
    const QString &marker = DirectoryReader::DirectoryMarker;
    const qsizetype at = isDirectory(i) ? marker.size() : 0;
    if (!ascii(bytes)) {
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
