#pragma once

#include "platform/SystemClock.h"

// The system clock through clock_settime(CLOCK_REALTIME); setting needs CAP_SYS_TIME.
class LinuxSystemClock : public SystemClock {
public:
    QDateTime now() const override;
    bool setLocalTime(const QDateTime &local) override;
};
