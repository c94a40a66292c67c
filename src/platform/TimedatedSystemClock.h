#pragma once

#include "platform/LinuxSystemClock.h"
#include "platform/SystemClock.h"

#include <QDBusConnection>
#include <QObject>

#include <functional>

// The system clock set through systemd-timedated, which lets polkit decide whether the
// user may (a car PC's user is no root): SetTime relative to the clock as it stands, with
// interaction allowed so that polkit can ask. The call is not waited for; a refusal is not
// reported, as with any clock that refuses. While automatic time synchronisation is on,
// timedated refuses every setting: that is said once in the trace. Without a bus the
// clock is set directly, which only root may do.
class TimedatedSystemClock : public SystemClock {
public:
    static inline const QString NtpActive =
        QStringLiteral("Automatic time synchronisation is on: the clock keeps its time");

    // now reads the local time; empty: the computer's clock.
    explicit TimedatedSystemClock(const QDBusConnection &bus, int timeoutMs = 3000,
                                  std::function<QDateTime()> now = {});

    // Where the note on time synchronisation goes (the CAN trace); empty: nowhere.
    void setTrace(std::function<void(const QString &)> trace) { m_trace = std::move(trace); }

    QDateTime now() const override;
    bool setLocalTime(const QDateTime &local) override;
    bool shift(qint64 msecs) override;

private:
    bool synchronised();
    void noteSynchronised();

    QDBusConnection m_bus;
    int m_timeoutMs;
    LinuxSystemClock m_direct;
    std::function<QDateTime()> m_now;
    std::function<void(const QString &)> m_trace;
    bool m_toldSynchronised = false;
    QObject m_calls; // parent of the calls under way; they end with the clock
};
