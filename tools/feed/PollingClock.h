#pragma once

#include "FeedClock.h"

// The monotonic clock; waiting ends early, with "stop", when a descriptor (the stop
// signals) becomes readable.
class PollingClock : public FeedClock {
public:
    explicit PollingClock(int stopFd) : m_stopFd(stopFd) {}

    Time now() override;
    bool waitUntil(Time t) override;

private:
    int m_stopFd;
};
