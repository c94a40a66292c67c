#include "PollingClock.h"

#include <cerrno>
#include <poll.h>

FeedClock::Time PollingClock::now()
{
    return std::chrono::duration_cast<Time>(std::chrono::steady_clock::now().time_since_epoch());
}

bool PollingClock::waitUntil(Time t)
{
    for (;;) {
        const Time left = t - now();
        timespec timeout{0, 0};
        if (left.count() > 0) {
            timeout.tv_sec = time_t(left.count() / 1'000'000'000);
            timeout.tv_nsec = long(left.count() % 1'000'000'000);
        }
        pollfd p{m_stopFd, POLLIN, 0};
        const int ready = ::ppoll(&p, m_stopFd >= 0 ? 1 : 0, &timeout, nullptr);
        if (ready > 0)
            return false;
        if (ready < 0 && errno != EINTR)
            return false;
        if (now() >= t)
            return true;
    }
}
