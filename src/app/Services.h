#pragma once

#include "app/PathChooser.h"
#include "core/IntervalTimer.h"
#include "core/SerialPortControl.h"
#include "log/MapComponent.h"
#include "platform/AudioPlayer.h"
#include "platform/GammaRamp.h"
#include "platform/PowerManager.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemClock.h"
#include "platform/VideoPlayer.h"

#include <QStringList>

#include <memory>

// The platform services the window uses. main() hands in the real implementations, the
// tests their stand-ins (tests/support). The ports, players, power manager, gamma ramp and
// clock are required; the path chooser, the map and the alert timer have real defaults:
// the Qt dialogs, the map over the file named in the settings and a Qt timer.
struct Services {
    std::unique_ptr<SerialPortControl> can2comPort;
    std::unique_ptr<SerialPortControl> gpsPort;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<VideoPlayer> video;
    std::unique_ptr<PowerManager> power;
    std::unique_ptr<GammaRamp> gamma;
    std::unique_ptr<AudioPlayer> audio;
    std::unique_ptr<PathChooser> chooser;
    std::unique_ptr<SystemClock> clock;
    std::unique_ptr<MapComponent> map;
    // Makes the timer that ends a camera alert; empty: a Qt timer.
    IntervalTimer::Factory alertTimers;
    // Lines for the system messages on what the platform lacks, found once at start
    // (no sound output, for one).
    QStringList platformNotes;

    // The names of the required services left empty, comma-separated; empty when none.
    QString missing() const
    {
        QStringList names;
        const auto need = [&names](bool given, const char *name) {
            if (!given)
                names << QString::fromLatin1(name);
        };
        need(bool(can2comPort), "a CAN2COM port");
        need(bool(gpsPort), "a GPS port");
        need(bool(sound), "a sound player");
        need(bool(video), "a video player");
        need(bool(power), "a power manager");
        need(bool(gamma), "a gamma ramp");
        need(bool(audio), "an audio player");
        need(bool(clock), "a system clock");
        return names.join(QStringLiteral(", "));
    }
};
