#pragma once

#include <QDateTime>

// The computer's clock: the local date and time, and setting the local time of day (the
// drivers log steps it by a minute). Setting needs rights the program may not have.
class SystemClock {
public:
    virtual ~SystemClock() = default;
    virtual QDateTime now() const = 0;
    // False when the time is invalid or the platform refuses it; the clock then stays.
    virtual bool setLocalTime(const QDateTime &local) = 0;
    // Moves the clock by msecs from where it stands; a clock that can step relative to
    // itself does so, so that the time spent between reading and setting is not lost.
    virtual bool shift(qint64 msecs) { return setLocalTime(now().addMSecs(msecs)); }
};
