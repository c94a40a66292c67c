#pragma once

#include "media/TID3Engine.h"
#include "media/TMPEGAudio.h"

#include <QString>

#include <stop_token>

class QLabel;

// What the now-playing screen shows about a track before it starts: title and artist
// from its tag, bit rate from its first audio frame.
//
// For the bit rate, playback calls BitRateProbe (asynchronous): on a large file without
// frames the scan reads the whole file, which must not hold up the screen. getbitrate
// below is the same analysis run to its end on the calling thread.
class TrackInfo {
public:
    static inline const QString NoTitle = QStringLiteral("No Title in ID3");
    static inline const QString NoArtist = QStringLiteral("No Artist in ID3");
    static inline const QString VariableText = QStringLiteral("variable b/r");
    static inline const QString KBitSuffix = QStringLiteral(" kBit/sec");

    // The label texts for a track: its tag's title and artist, or the "No ... in ID3"
    // texts for an empty one (also when the file is missing or unreadable).
    static TrackTags tagTexts(const QString &path);
    // Clears MP3Title and MP3Artist and sets them to the texts above; either may be null.
    static void ShowTrackTags(const QString &path, QLabel *MP3Title, QLabel *MP3Artist);

    // "variable b/r", "<n> kBit/sec", or "0 kBit/sec" when the file holds no frame, is
    // missing or can't be opened; empty when the analysis fails unexpectedly (a read
    // error) or is stopped.
    static QString getbitrate(const QString &path, std::stop_token stop = {});
    static QString bitRateText(const TMPEGAudio::Result &result);
};
