#pragma once

#include "media/Mp3Playback.h"

#include <QStringList>

// MP3 playback that plays nothing and remembers what it was asked, in order: "bitrate
// <path>", "play <path> switch|stay", "root <dir>", "toggle", "random", "hide options".
class RecordingMp3Playback : public Mp3Playback {
public:
    void ShowBitRate(const QString &path) override { m_calls << QStringLiteral("bitrate ") + path; }
    void PlayMP3File(const QString &path, bool switchToNowPlaying) override
    {
        m_calls << QStringLiteral("play ") + path +
                       (switchToNowPlaying ? QStringLiteral(" switch") : QStringLiteral(" stay"));
    }
    void setRandomRoot(const QString &directory) override
    {
        m_calls << QStringLiteral("root ") + directory;
    }
    void EnableRandomToggle() override { m_calls << QStringLiteral("toggle"); }
    void PlayRandomTrack() override { m_calls << QStringLiteral("random"); }
    void HideOptionsPanel() override { m_calls << QStringLiteral("hide options"); }

    const QStringList &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QStringList m_calls;
};
