#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class WindowsWildcard;

// The entries of one directory as a media list shows them, read with readdir: every
// sub-directory as "»  name", every file matching the mask by its bare name, hidden
// entries included, "." and ".." never. Only entries whose kind readdir can't tell
// (symbolic links, some file systems) are looked up with stat. Unsorted.
class DirectoryReader {
public:
    static const QString DirectoryMarker; // "»" and two blanks

    // Nothing when the directory can't be opened or entered.
    static std::optional<QStringList> read(const QString &directory, const WindowsWildcard &mask);
};
