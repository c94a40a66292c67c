#include "core/QtIntervalTimer.h"

QtIntervalTimer::QtIntervalTimer()
{
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (m_handler)
            m_handler();
    });
}

std::unique_ptr<IntervalTimer> QtIntervalTimer::make()
{
    return std::make_unique<QtIntervalTimer>();
}
