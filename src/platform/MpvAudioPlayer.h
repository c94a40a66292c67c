#pragma once

#include "platform/AudioPlayer.h"
#include "platform/MpvHandle.h"

#include <QObject>

// The MP3 player on libmpv. A file is kept open at its end ("keep-open"), so the
// position stays equal to the length there. Without a usable sound device mpv falls back
// to its null output, which plays in real time and in silence, so tracks still end and
// advance.
class MpvAudioPlayer : public QObject, public AudioPlayer {
    Q_OBJECT
public:
    struct Options {
        // mpv's "ao"; empty leaves mpv's own choice (tests say "null").
        QByteArray audioOutput;
        // The longest open waits for a file to load.
        int openTimeoutMs = 5000;
    };

    MpvAudioPlayer();
    explicit MpvAudioPlayer(Options options);
    ~MpvAudioPlayer() override;

    bool open(const QString &path) override;
    QString fileName() const override { return m_fileName; }
    bool isOpen() const override;
    bool play() override;
    bool pause() override;
    bool resume() override;
    bool stop() override;
    bool seek(qint64 ms) override;
    std::optional<qint64> position() const override;
    std::optional<qint64> length() const override;

private:
    // Reads mpv's events so that its queue never fills.
    void drainEvents();
    // Waits until the playlist entry id has loaded (true) or ended (false).
    bool waitLoaded(qint64 id);
    bool setPaused(bool paused);
    void close();

    Options m_options;
    MpvHandle m_mpv;
    QString m_fileName;
    bool m_open = false;
    // The length read at open; a later length of the player replaces it.
    mutable qint64 m_length = 0;
    // mpv decodes from a little before a seek's target up to it, and while paused it
    // only gets there on resuming: until then the target is the position.
    mutable bool m_seekPending = false;
    qint64 m_seekTarget = 0;
};
