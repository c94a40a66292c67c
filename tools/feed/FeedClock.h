#pragma once

#include <chrono>

// Time as the replay sees it, so that tests can run it on a clock of their own.
class FeedClock {
public:
    using Time = std::chrono::nanoseconds;

    virtual ~FeedClock() = default;
    virtual Time now() = 0;
    // Returns once now() >= t; false when the replay is to stop instead.
    virtual bool waitUntil(Time t) = 0;
};
