#pragma once

#include "platform/AudioPlayer.h"

#include <QHash>
#include <QStringList>

// An audio player that makes no sound and keeps no clock: the window's stand-in, and the
// player of tests where timing matters. Any existing file opens with the default length
// unless a length or a failure was set for it; the position moves only by advance() and
// by seeks. The calls are recorded in order ("open <path>", "play", "pause", "resume",
// "stop", "seek <ms>").
class ScriptedAudioPlayer : public AudioPlayer {
public:
    static constexpr qint64 DefaultLength = 180000;

    void setLength(const QString &path, qint64 ms) { m_lengths.insert(path, ms); }
    void setFails(const QString &path) { m_lengths.insert(path, -1); }
    // Moves the position of a playing track on, not past its end.
    void advance(qint64 ms);
    void toEnd();
    bool isPlaying() const { return m_open && m_playing; }
    const QStringList &calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }

    bool open(const QString &path) override;
    QString fileName() const override { return m_fileName; }
    bool isOpen() const override { return m_open; }
    bool play() override;
    bool pause() override;
    bool resume() override;
    bool stop() override;
    bool seek(qint64 ms) override;
    std::optional<qint64> position() const override;
    std::optional<qint64> length() const override;

private:
    QHash<QString, qint64> m_lengths;
    QStringList m_calls;
    QString m_fileName;
    bool m_open = false;
    bool m_playing = false;
    qint64 m_position = 0;
    qint64 m_length = 0;
};
