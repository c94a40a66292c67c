#include "media/DirectoryReader.h"

#include "media/WindowsWildcard.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

const QString DirectoryReader::DirectoryMarker = QStringLiteral("\u00BB  ");

namespace {

struct DirCloser {
    void operator()(DIR *d) const { closedir(d); }
};

bool isDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool isDirectory(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st {};
    return fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::optional<DirectoryEntries> DirectoryReader::read(const QString &directory,
                                                      const WindowsWildcard &mask)
{
    const QByteArray path = QFile::encodeName(directory);
    // A directory that can't be entered is refused even when it can be read.
    if (path.isEmpty() || faccessat(AT_FDCWD, path.constData(), X_OK, AT_EACCESS) != 0)
        return std::nullopt;
    std::unique_ptr<DIR, DirCloser> dir(opendir(path.constData()));
    if (!dir)
        return std::nullopt;
    DirectoryEntries entries;
    while (const dirent *entry = readdir(dir.get())) {
        const char *name = entry->d_name;
        if (isDot(name))
            continue;
        const bool directoryEntry = isDirectory(dir.get(), entry);
        if (!mask.matches(name, directoryEntry))
            continue;
        entries.add(name, directoryEntry);
    }
    return entries;
}
