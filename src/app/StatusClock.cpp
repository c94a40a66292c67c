#include "app/StatusClock.h"

#include "core/LongTimeFormat.h"
#include "app/StatusLine.h"
#include "widgets/LevelBar.h"

#include <QLabel>
#include <QLocale>

#include <utility>

StatusClock::StatusClock(StatusLine &status, LevelBar &meter, CpuLoadSampler sampler,
                         Message sysMessage, Now now, QObject *parent)
    : QObject(parent), m_status(status), m_meter(meter), m_sampler(std::move(sampler)),
      m_sysMessage(std::move(sysMessage)), m_now(std::move(now))
{
    if (!m_now)
        m_now = [] {
            return QDateTime::currentDateTime();
        };
    m_clockTimer.setInterval(1000);
    m_cpuTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &StatusClock::ClocktimerTimer);
    connect(&m_cpuTimer, &QTimer::timeout, this, &StatusClock::CPUTimerTimer);
}

void StatusClock::start()
{
    ClocktimerTimer();
    CPUTimerTimer();
    m_clockTimer.start();
    m_cpuTimer.start();
}

QString StatusClock::dayName(int dayOfWeek)
{
    static const char *const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return QString::fromLatin1(names[dayOfWeek % 7]);
}

void StatusClock::ClocktimerTimer()
{
    const QDateTime now = m_now();
    const QString day = dayName(now.date().dayOfWeek());
    LongTimeFormat::setPattern(QString::fromLatin1(LongTimeFormat::Minutes));
    const QString time = LongTimeFormat::format(now.time());
    m_status.Clock->setText(time);
    m_status.DateLabel->setText(day + QStringLiteral("  ") +
                                QLocale().toString(now.date(), QLocale::ShortFormat) +
                                QLatin1Char(' '));
    emit timeShown(time);
    LongTimeFormat::setPattern(QString::fromLatin1(LongTimeFormat::Seconds));
}

void StatusClock::CPUTimerTimer()
{
    const CpuLoadSampler::Sample s = m_sampler.sample();
    if (!s.error.isEmpty() && !m_loadErrorShown) {
        m_loadErrorShown = true;
        if (m_sysMessage)
            m_sysMessage(s.error);
    }
    // Truncated, but a load of exactly 0.33 must not show as 32.
    m_meter.setValue(qBound(0, int(s.load * 100 + 1e-9), 100));
}
