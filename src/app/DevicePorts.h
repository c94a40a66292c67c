#pragma once

#include "core/IntervalTimer.h"

#include <QString>

#include <memory>

class ReopeningPort;

// The window's two lines as a Linux car PC has them: each comes back by itself after its
// adapter vanished, and the GPS receiver is read through gpsd when "Devices"/"GPS" names
// it, through its COM port otherwise.
class DevicePorts {
public:
    // Empty timers: Qt timers. byIdDir: where the adapters' stable names are.
    static std::unique_ptr<ReopeningPort> can2com(const QString &iniFile,
                                                  IntervalTimer::Factory timers = {},
                                                  const QString &byIdDir = {});
    static std::unique_ptr<ReopeningPort>
    gps(const QString &iniFile, IntervalTimer::Factory timers = {}, const QString &byIdDir = {});
    // The system message naming the GPS source when it is not a COM port; empty otherwise.
    static QString gpsSourceNote(const QString &iniFile);
};
