#pragma once

#include "platform/MpvHandle.h"
#include "platform/SoundPlayer.h"

#include <QObject>

// Short sounds through libmpv. A car PC without a sound device still works: mpv falls
// back to its null output, which plays in real time and in silence.
class MpvSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    struct Options {
        // mpv's "ao"; empty leaves mpv's own choice (tests say "null").
        QByteArray audioOutput;
        // The longest playAndWait blocks, whatever the file says its length is.
        int maxWaitMs = 10000;
    };

    MpvSoundPlayer();
    explicit MpvSoundPlayer(Options options);
    ~MpvSoundPlayer() override;

    // A newer sound replaces one still playing.
    void play(const QString &path) override;
    // Returns when the sound has ended, could not be played, or after the longest wait.
    void playAndWait(const QString &path) override;

private:
    // Reads the events of the background player so that its queue never fills.
    void drainEvents();

    Options m_options;
    MpvHandle m_background;
    MpvHandle m_waiting;
};
