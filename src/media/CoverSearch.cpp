#include "media/CoverSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

constexpr QDir::Filters FileFilter = QDir::Files | QDir::Hidden | QDir::System;

QString withJpgExtension(const QString &name)
{
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return base + QStringLiteral(".jpg");
}

// Files of one directory by name: the exact name, else one that differs only in case.
// The directory is listed once, and only when an exact name is missing.
class DirLookup {
public:
    explicit DirLookup(const QString &dir) : m_dir(dir) {}

    QString find(const QString &name)
    {
        const QString exact = m_dir.filePath(name);
        if (QFileInfo(exact).isFile())
            return exact;
        if (!m_listed) {
            m_listed = true;
            const QStringList all = m_dir.entryList(FileFilter, QDir::Name);
            for (const QString &entry : all)
                m_folded.insert(entry.toCaseFolded(), entry);
        }
        const auto it = m_folded.constFind(name.toCaseFolded());
        return it == m_folded.cend() ? QString() : m_dir.filePath(*it);
    }

private:
    QDir m_dir;
    bool m_listed = false;
    QHash<QString, QString> m_folded;
};

} // namespace

QStringList CoverSearch::starPictures(const QString &starsDir)
{
    return QDir(starsDir).entryList({QStringLiteral("*.jpg")}, FileFilter,
                                    QDir::Name | QDir::IgnoreCase);
}

QString CoverSearch::findFile(const QString &dir, const QString &name)
{
    return DirLookup(dir).find(name);
}

QString CoverSearch::coverFor(const QString &trackPath, const QString &starsDir,
                              const QStringList &stars)
{
    const QFileInfo track(trackPath);
    DirLookup dir(track.path());
    for (const QString &name : {withJpgExtension(track.fileName()), QStringLiteral("folder.jpg"),
                                QStringLiteral("front.jpg"), QStringLiteral("cover.jpg")}) {
        const QString found = dir.find(name);
        if (!found.isEmpty())
            return found;
    }
    const QString upperPath = trackPath.toUpper();
    QString match;
    for (const QString &star : stars) {
        const QString name = star.left(star.size() - 4).toUpper();
        // A picture named only ".jpg" names no artist.
        if (!name.isEmpty() && upperPath.contains(name))
            match = QDir(starsDir).filePath(star);
    }
    return match;
}

QString CoverSearch::favouriteCover(const QString &directory)
{
    DirLookup dir(directory);
    QString chosen;
    for (const QString &name :
         {QStringLiteral("folder.jpg"), QStringLiteral("front.jpg"), QStringLiteral("cover.jpg")}) {
        const QString found = dir.find(name);
        if (!found.isEmpty())
            chosen = found;
    }
    return chosen;
}
