#include "app/ForegroundKeeper.h"

#include <QWidget>

ForegroundKeeper::ForegroundKeeper(QWidget &window, std::unique_ptr<IntervalTimer> timer)
    : m_window(window), m_timer(std::move(timer))
{
    m_timer->setHandler([this] { BringSelfToForegroundTimer(); });
    m_timer->start(IntervalMs);
}

void ForegroundKeeper::BringSelfToForegroundTimer()
{
    if (m_window.isActiveWindow())
        return;
    m_window.raise();
    m_window.activateWindow();
}
