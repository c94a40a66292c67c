#pragma once

#include "core/IntervalTimer.h"

#include <QtGlobal>

#include <memory>
#include <vector>

// Milliseconds that pass only when a test says so, and IntervalTimers that run on them:
// advance() fires every due timer in time order, as often as it falls due.
class FakeClock {
public:
    class Timer : public IntervalTimer {
    public:
        explicit Timer(FakeClock &clock) : m_clock(clock) { m_clock.m_timers.push_back(this); }
        ~Timer() override { std::erase(m_clock.m_timers, this); }
        Timer(const Timer &) = delete;
        Timer &operator=(const Timer &) = delete;
        void setHandler(Handler handler) override { m_handler = std::move(handler); }
        void start(int ms) override
        {
            m_interval = ms;
            m_due = m_clock.now() + ms;
            m_active = true;
        }
        void stop() override { m_active = false; }
        bool isActive() const override { return m_active; }
        int interval() const override { return m_interval; }
        qint64 due() const { return m_due; }
        // Fires once and sets the next due time, as a repeating timer does.
        void fire()
        {
            m_due += m_interval;
            if (m_handler)
                m_handler();
        }

    private:
        FakeClock &m_clock;
        Handler m_handler;
        int m_interval = 0;
        qint64 m_due = 0;
        bool m_active = false;
    };

    qint64 now() const { return m_now; }

    IntervalTimer::Factory factory()
    {
        return [this] {
            return std::unique_ptr<IntervalTimer>(std::make_unique<Timer>(*this));
        };
    }

    void advance(qint64 ms)
    {
        const qint64 end = m_now + ms;
        while (Timer *t = next(end)) {
            m_now = t->due();
            t->fire();
        }
        m_now = end;
    }

private:
    Timer *next(qint64 end) const
    {
        Timer *first = nullptr;
        for (Timer *t : m_timers) {
            if (t->isActive() && t->interval() > 0 && t->due() <= end &&
                (!first || t->due() < first->due()))
                first = t;
        }
        return first;
    }

    qint64 m_now = 0;
    std::vector<Timer *> m_timers; // the live timers; their owners are the code under test
};
