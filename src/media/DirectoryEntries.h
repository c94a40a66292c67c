#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// The entries of one directory as read: each name as the file system stores it (UTF-8
// bytes), all in one buffer, and whether it is a sub-directory.
class DirectoryEntries {
public:
    void add(std::string_view name, bool isDirectory);

    qsizetype size() const { return qsizetype(m_entries.size()); }
    std::string_view name(qsizetype i) const
    {
        const Entry &e = m_entries[size_t(i)];
        return std::string_view(m_names).substr(e.offset, e.length);
    }
    bool isDirectory(qsizetype i) const { return m_entries[size_t(i)].directory; }
    bool isAscii(qsizetype i) const { return m_entries[size_t(i)].ascii; }
    // As a list shows it: a sub-directory behind the directory marker.
    QString text(qsizetype i) const;

private:
    struct Entry {
        quint32 offset;
        quint32 length : 30;
        quint32 directory : 1;
        quint32 ascii : 1;
    };
    std::string m_names;
    std::vector<Entry> m_entries;
};
