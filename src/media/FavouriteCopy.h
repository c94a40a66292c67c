#pragma once

#include <QString>

#include <stop_token>

// The file work of "Copy to Favourites": a track and one cover picture of its directory
// copied into the favourites directory. Nothing here touches the screen, so it can run
// on a worker thread.
class FavouriteCopy {
public:
    struct Result {
        bool copied = false;
        // "and folder.jpg", "and front.jpg" or "and cover.jpg" (the file's own name), or
        // empty when the directory has no cover picture.
        QString note;
    };

    // The configured MP3 path followed by "/$  Favourites".
    static QString directoryFor(const QString &mp3Path);
    // Where a track's copy goes.
    static QString targetFor(const QString &track, const QString &favourites);
    // Whether source and target are one file (the track plays from the favourites).
    static bool sameFile(const QString &source, const QString &target);

    // Copies the directory's cover picture (unless the favourite already has one), then
    // the track. The track is written under a temporary name and put in place only when
    // complete: a copy that fails or is stopped leaves an earlier favourite as it was.
    static Result run(const QString &source, const QString &favourites, std::stop_token stop = {});

    // Copies source to target through a temporary file in the target's directory.
    // replace false: an existing target is kept and the copy fails.
    static bool copyFile(const QString &source, const QString &target, bool replace,
                         std::stop_token stop = {});
};
