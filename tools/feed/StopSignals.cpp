#include "StopSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t stopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

StopSignals::StopSignals()
{
    const sigset_t set = stopSet();
    if (::pthread_sigmask(SIG_BLOCK, &set, &m_oldMask) != 0)
        return;
    m_masked = true;
    m_fd = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

StopSignals::~StopSignals()
{
    if (m_fd >= 0) {
        // Taken here, a signal that asked us to stop is not delivered again, and deadly,
        // once the mask is lifted.
        signalfd_siginfo info;
        while (::read(m_fd, &info, sizeof info) == ssize_t(sizeof info)) {
        }
        ::close(m_fd);
    }
    if (m_masked)
        ::pthread_sigmask(SIG_SETMASK, &m_oldMask, nullptr);
}
