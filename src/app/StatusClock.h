#pragma once

#include "platform/CpuLoadSampler.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class LevelBar;
class StatusLine;

// The clock and date of the status line and the processor-load meter of the top bar,
// each refreshed every second.
class StatusClock : public QObject {
    Q_OBJECT
public:
    using Now = std::function<QDateTime()>;
    using Message = std::function<void(const QString &)>;

    // sysMessage receives the reason once when the load can't be measured. now is the
    // local time (the real clock when empty).
    StatusClock(StatusLine &status, LevelBar &meter, CpuLoadSampler sampler, Message sysMessage,
                Now now = {}, QObject *parent = nullptr);

    // Shows the time at once, takes the first load sample and starts both timers.
    void start();

    void ClocktimerTimer();
    void CPUTimerTimer();

    // "Sunday" .. "Saturday" for Qt's day of the week 1 (Monday) .. 7 (Sunday).
    static QString dayName(int dayOfWeek);
    QTimer &clockTimer() { return m_clockTimer; }
    QTimer &cpuTimer() { return m_cpuTimer; }

signals:
    // The time of day as "hh:mm" on every tick, for the drivers log's time field.
    void timeShown(const QString &time);

private:
    StatusLine &m_status;
    LevelBar &m_meter;
    CpuLoadSampler m_sampler;
    Message m_sysMessage;
    Now m_now;
    QTimer m_clockTimer;
    QTimer m_cpuTimer;
    bool m_loadErrorShown = false;
};
