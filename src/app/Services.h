#pragma once

#include "app/PathChooser.h"
#include "core/SerialPortControl.h"
#include "core/IntervalTimer.h"
#include "log/MapComponent.h"
#include "platform/AudioPlayer.h"
#include "platform/GammaRamp.h"
#include "platform/PowerManager.h"
#include "platform/SoundPlayer.h"
#include "platform/SystemClock.h"
#include "platform/VideoPlayer.h"

#include <QStringList>

#include <memory>

// The platform services the window uses. main() hands in the real implementations; a
// member left empty gets an inert stand-in, so that a test builds the whole window with
// no sound card, serial line or power manager and hands in fakes where it looks. The map
// is the exception: left empty it is the real one over the file named in the settings.
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
};
