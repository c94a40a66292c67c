#include "media/FavouriteCopy.h"

#include "media/CoverSearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 ChunkBytes = 1 << 20;
} // namespace

QString FavouriteCopy::directoryFor(const QString &mp3Path)
{
    QString dir = mp3Path;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("$  Favourites");
}

QString FavouriteCopy::targetFor(const QString &track, const QString &favourites)
{
    return favourites + QLatin1Char('/') + QFileInfo(track).fileName();
}

bool FavouriteCopy::sameFile(const QString &source, const QString &target)
{
    struct stat a {};
    struct stat b {};
    if (::stat(QFile::encodeName(source).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(target).constData(), &b) != 0)
        return QDir::cleanPath(source) == QDir::cleanPath(target);
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool FavouriteCopy::copyFile(const QString &source, const QString &target, bool replace,
                             std::stop_token stop)
{
    if (!replace && QFileInfo::exists(target))
        return false;
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!in.atEnd()) {
        if (stop.stop_requested()) {
            out.cancelWriting();
            break;
        }
        chunk = in.read(ChunkBytes);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            break;
        }
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            break;
        }
    }
    // On the disk before it takes the favourite's name, so a power cut can't leave an
    // empty file in its place.
    if (out.flush() && out.handle() >= 0)
        ::fdatasync(out.handle());
    return out.commit();
}

FavouriteCopy::Result FavouriteCopy::run(const QString &source, const QString &favourites,
                                         std::stop_token stop)
{
    Result result;
    const QFileInfo track(source);
    const QString cover = CoverSearch::favouriteCover(track.path());
    if (!cover.isEmpty()) {
        result.note = QStringLiteral("and ") + QFileInfo(cover).fileName();
        const QString name = track.suffix().isEmpty() ? track.fileName() : track.completeBaseName();
        copyFile(cover, favourites + QLatin1Char('/') + name + QStringLiteral(".jpg"), false, stop);
    }
    result.copied =
        !track.fileName().isEmpty() && copyFile(source, targetFor(source, favourites), true, stop);
    return result;
}
