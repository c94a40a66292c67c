#pragma once

#include <csignal>

// SIGTERM, SIGINT and SIGHUP turned into a readable descriptor for as long as the object
// lives, so that a replay waiting for its next byte wakes at once to end cleanly.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    bool valid() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    bool m_masked = false;
    sigset_t m_oldMask{};
};
