#pragma once

#include "media/DirectoryEntries.h"

#include <QString>

#include <optional>

class WindowsWildcard;

// The entries of one directory as a media list takes them, read with readdir: every
// sub-directory, every file matching the mask, hidden entries included, "." and ".."
// never. Only entries whose kind readdir can't tell (symbolic links, some file systems)
// are looked up with stat. Unsorted.
class DirectoryReader {
public:
    // Put before a sub-directory's name in the list.
    static const QString DirectoryMarker; // "»" and two blanks

    // Nothing when the directory can't be opened or entered.
    static std::optional<DirectoryEntries> read(const QString &directory,
                                                const WindowsWildcard &mask);
};
