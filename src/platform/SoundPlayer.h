#pragma once

#include <QString>

// Short sounds (WAV files): the exit sound, the film start and end sounds, the
// speed-camera alarm. A file that is missing or can't be played is silently skipped.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once.
    virtual void play(const QString &path) = 0;
    // Plays the sound to its end before returning.
    virtual void playAndWait(const QString &path) = 0;
};
