#pragma once

#include "FeedClock.h"

#include <optional>

// A clock that jumps to each time asked for, optionally late by a fixed amount, and says
// "stop" after a number of waits.
class FakeFeedClock : public FeedClock {
public:
    Time now() override { return m_now; }
    bool waitUntil(Time t) override
    {
        if (m_waitsLeft && (*m_waitsLeft)-- == 0)
            return false;
        if (t + m_lateBy > m_now)
            m_now = t + m_lateBy;
        return true;
    }

    void stopAfter(int waits) { m_waitsLeft = waits; }
    void wakeLateBy(Time late) { m_lateBy = late; }

private:
    Time m_now{0};
    Time m_lateBy{0};
    std::optional<int> m_waitsLeft;
};
