#include "media/CoverSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cstring>

#include <dirent.h>
#include <strings.h>

namespace {

constexpr QDir::Filters FileFilter = QDir::Files | QDir::Hidden | QDir::System;

QString withJpgExtension(const QString &name)
{
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return base + QStringLiteral(".jpg");
}

// The pictures of one directory by name: the exact name, else one that differs only in
// case. Only when an exact name is missing is the directory read, once, and only its
// ".jpg" names are kept: a directory of 10,000 tracks costs one pass without a sort.
class PictureLookup {
public:
    explicit PictureLookup(const QString &dir) : m_dir(dir)
    {
        if (m_dir.size() > 1 && m_dir.endsWith(QLatin1Char('/')))
            m_dir.chop(1);
    }

    QString find(const QString &name)
    {
        const QString exact = m_dir + QLatin1Char('/') + name;
        if (QFileInfo(exact).isFile())
            return exact;
        if (!m_listed)
            list();
        const auto it = m_folded.constFind(name.toCaseFolded());
        if (it == m_folded.cend())
            return {};
        const QString found = m_dir + QLatin1Char('/') + *it;
        return QFileInfo(found).isFile() ? found : QString();
    }

private:
    void list()
    {
        m_listed = true;
        DIR *d = ::opendir(QFile::encodeName(m_dir).constData());
        if (!d)
            return;
        while (const dirent *e = ::readdir(d)) {
            const size_t n = std::strlen(e->d_name);
            if (n < 4 || ::strncasecmp(e->d_name + n - 4, ".jpg", 4) != 0)
                continue;
            const QString entry = QFile::decodeName(e->d_name);
            m_folded.insert(entry.toCaseFolded(), entry);
        }
        ::closedir(d);
    }

    QString m_dir;
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
    return PictureLookup(dir).find(name);
}

QString CoverSearch::coverFor(const QString &trackPath, const QString &starsDir,
                              const QStringList &stars)
{
    const QString own = ownPicture(trackPath);
    return own.isEmpty() ? sharedPicture(trackPath, starsDir, stars) : own;
}

QString CoverSearch::ownPicture(const QString &trackPath)
{
    const QFileInfo track(trackPath);
    return PictureLookup(track.path()).find(withJpgExtension(track.fileName()));
}

QString CoverSearch::sharedPicture(const QString &trackPath, const QString &starsDir,
                                   const QStringList &stars)
{
    PictureLookup dir(QFileInfo(trackPath).path());
    for (const QString &name :
         {QStringLiteral("folder.jpg"), QStringLiteral("front.jpg"), QStringLiteral("cover.jpg")}) {
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
    PictureLookup dir(directory);
    QString chosen;
    for (const QString &name :
         {QStringLiteral("folder.jpg"), QStringLiteral("front.jpg"), QStringLiteral("cover.jpg")}) {
        const QString found = dir.find(name);
        if (!found.isEmpty())
            chosen = found;
    }
    return chosen;
}
