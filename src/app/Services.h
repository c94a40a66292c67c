#pragma once

#include "app/SerialPortControl.h"
#include "platform/SoundPlayer.h"

#include <memory>

// The platform services the window uses. Tests hand in fakes; a member left empty is
// created by the window with the real implementation.
struct Services {
    std::unique_ptr<SerialPortControl> can2comPort;
    std::unique_ptr<SerialPortControl> gpsPort;
    std::unique_ptr<SoundPlayer> sound;
};
