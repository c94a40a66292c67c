#include "platform/LinuxSystemClock.h"

#include <ctime>

QDateTime LinuxSystemClock::now() const { return QDateTime::currentDateTime(); }

bool LinuxSystemClock::setLocalTime(const QDateTime &local)
{
    if (!local.isValid())
        return false;
    const qint64 ms = local.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}
