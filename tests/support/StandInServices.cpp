#include "support/StandInServices.h"

#include "support/ManualSystemClock.h"
#include "support/PortRequestLog.h"
#include "support/RecordingGammaRamp.h"
#include "support/RecordingPowerManager.h"
#include "support/RecordingSoundPlayer.h"
#include "support/RecordingVideoPlayer.h"
#include "support/ScriptedAudioPlayer.h"

Services standInServices(Services given)
{
    if (!given.can2comPort)
        given.can2comPort = std::make_unique<PortRequestLog>(0);
    if (!given.gpsPort)
        given.gpsPort = std::make_unique<PortRequestLog>(2);
    if (!given.sound)
        given.sound = std::make_unique<RecordingSoundPlayer>();
    if (!given.video)
        given.video = std::make_unique<RecordingVideoPlayer>();
    if (!given.power)
        given.power = std::make_unique<RecordingPowerManager>();
    if (!given.gamma)
        given.gamma = std::make_unique<RecordingGammaRamp>();
    if (!given.audio)
        given.audio = std::make_unique<ScriptedAudioPlayer>();
    if (!given.clock)
        given.clock = std::make_unique<ManualSystemClock>();
    return given;
}
