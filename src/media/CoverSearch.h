#pragma once

#include <QString>
#include <QStringList>

// Where the now-playing screen finds a track's picture. A music tree copied from another
// system often has "Folder.jpg" or "Song.JPG", so names match without regard to case
// when no file has the exact name.
class CoverSearch {
public:
    // The "*.jpg" files of the artist-picture directory, sorted without regard to case.
    static QStringList starPictures(const QString &starsDir);

    // The picture file for a track, the first that exists: the track's own name with
    // ".jpg", then "folder.jpg", "front.jpg", "cover.jpg" of its directory, then the last
    // star picture whose name (without ".jpg") the track's path contains, case ignored.
    // Empty when none: the default picture is shown. (A picture inside the track's tag
    // comes between its own picture and the directory's; playback looks there.)
    static QString coverFor(const QString &trackPath, const QString &starsDir,
                            const QStringList &stars);
    // The first of those steps alone, and the steps after it.
    static QString ownPicture(const QString &trackPath);
    static QString sharedPicture(const QString &trackPath, const QString &starsDir,
                                 const QStringList &stars);

    // The cover of a directory that a favourite takes: of "folder.jpg", "front.jpg" and
    // "cover.jpg" the last that exists; empty for none.
    static QString favouriteCover(const QString &directory);

    // dir/name when it exists, else a file of dir whose name differs only in case;
    // empty when there is none. Names end in ".jpg".
    static QString findFile(const QString &dir, const QString &name);
};
