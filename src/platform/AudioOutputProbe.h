#pragma once

#include <QByteArray>
#include <QString>

// Looks once, at start, for somewhere sound can go: a sound server's socket (PipeWire,
// PulseAudio) or a playback device of the kernel's sound layer. Without one every player
// is given mpv's null output: asked to find one itself, mpv lets the sound library print
// its errors on stderr for every sound and track.
class AudioOutputProbe {
public:
    // Where to look; the system's places by default, a test's own directories otherwise.
    struct Places {
        QString runtimeDir;   // $XDG_RUNTIME_DIR: pulse/native, pipewire-0
        QString pulseServer;  // $PULSE_SERVER: a sound server named outright
        QString soundDevices; // /dev/snd: pcmC<card>D<device>p
    };
    static Places systemPlaces();

    static bool hasOutput(const Places &places);
    // mpv's "ao" for the players: empty (mpv's own choice) with an output, "null" without.
    static QByteArray playerOutput(bool hasOutput);

    // The one line for the system messages when there is no output.
    static inline const QString NoOutputMessage =
        QStringLiteral("No sound output found - sounds and tracks play silently");
};
