#pragma once

#include "platform/MpvHandle.h"
#include "platform/SoundPlayer.h"

#include <QObject>

// Short sounds through libmpv, all through one player: a sound that starts replaces one
// still playing, and the one sound waited for (the exit sound) blocks the window, so no
// two of them ever need to sound together. A car PC without a sound device still works:
// the null output plays in real time and in silence.
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
    // Reads the player's events so that its queue never fills.
    void drainEvents();

    Options m_options;
    MpvHandle m_player;
};
