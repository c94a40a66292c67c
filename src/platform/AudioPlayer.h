#pragma once

#include <QString>

#include <optional>

// The one player of MP3 playback: a single track, opened, played, paused, sought, and
// polled for its position. Times are milliseconds. A file stays open at its end, where
// the position equals the length; that is how the end of a track is seen.
class AudioPlayer {
public:
    virtual ~AudioPlayer() = default;

    // Closes the file open before, then opens path, paused at its start. False when it
    // can't be played; no file is open then. The file name is kept either way.
    virtual bool open(const QString &path) = 0;
    // The file name given to the last open, also when that open failed.
    virtual QString fileName() const = 0;
    virtual bool isOpen() const = 0;

    // Each returns false when no file is open.
    virtual bool play() = 0;
    virtual bool pause() = 0;
    virtual bool resume() = 0;
    // Stops and closes the file.
    virtual bool stop() = 0;
    // False, and playback goes on where it was, for a position outside 0..length.
    virtual bool seek(qint64 ms) = 0;

    // Empty when no file is open.
    virtual std::optional<qint64> position() const = 0;
    virtual std::optional<qint64> length() const = 0;
};
