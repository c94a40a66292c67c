#pragma once

#include "core/IntervalTimer.h"

#include <QTimer>

// An IntervalTimer on a QTimer.
class QtIntervalTimer : public IntervalTimer {
public:
    QtIntervalTimer();

    void setHandler(Handler handler) override { m_handler = std::move(handler); }
    void start(int ms) override { m_timer.start(ms); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

    static std::unique_ptr<IntervalTimer> make();

private:
    QTimer m_timer;
    Handler m_handler;
};
