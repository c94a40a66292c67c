#pragma once

#include "core/IntervalTimer.h"

#include <memory>

class QWidget;

// Keeps the window in front (BringSelfToForegroundTimer): every 5 s, when another window
// has the foreground, the window takes it back. A car PC has no one to click it forward
// again after a stray dialog or a program started beside it.
class ForegroundKeeper {
public:
    static constexpr int IntervalMs = 5000;

    // timer is started at once with the interval.
    ForegroundKeeper(QWidget &window, std::unique_ptr<IntervalTimer> timer);

    void BringSelfToForegroundTimer();
    const IntervalTimer &timer() const { return *m_timer; }

private:
    QWidget &m_window;
    std::unique_ptr<IntervalTimer> m_timer;
};
