#pragma once

#include <QString>

// What the MP3 list asks of MP3 playback: "Select" on a file and "Random" in the action
// menu, and the options panel that the action menu replaces.
class Mp3Playback {
public:
    virtual ~Mp3Playback() = default;

    // Reads the track's bit rate into the now-playing bit-rate label.
    virtual void ShowBitRate(const QString &path) = 0;
    // Plays the track; with switchToNowPlaying the now-playing screen follows 300 ms later.
    virtual void PlayMP3File(const QString &path, bool switchToNowPlaying) = 0;
    // The directory below which random play picks.
    virtual void setRandomRoot(const QString &directory) = 0;
    // Enables the random toggle of the options panel and makes it read "Rnd is On".
    virtual void EnableRandomToggle() = 0;
    // Picks a track below the random root and plays it, with random mode on.
    virtual void PlayRandomTrack() = 0;
    virtual void HideOptionsPanel() = 0;
};
