#include "serial/CommLink.h"

#include "serial/CommNotification.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

CommLink::CommLink(int device, int closeEvent, QObject *target)
    : m_device(device), m_closeEvent(closeEvent), m_target(target)
{
}

CommLink::~CommLink()
{
    // Anything still queued for the line is dropped, so that closing never waits for a
    // stalled line to drain; the exclusive mode is lifted for the next opener.
    ::tcflush(m_device, TCIOFLUSH);
    ::ioctl(m_device, TIOCNXCL);
    ::close(m_device);
    ::close(m_closeEvent);
}

void CommLink::signalClose()
{
    const std::uint64_t one = 1;
    while (::write(m_closeEvent, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool CommLink::closeSignalled() const
{
    pollfd p{m_closeEvent, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

void CommLink::discardInput() { ::tcflush(m_device, TCIFLUSH); }

void CommLink::discardOutput() { ::tcflush(m_device, TCOFLUSH); }

bool CommLink::post(std::unique_ptr<CommNotification> notification)
{
    std::lock_guard lock(m_targetMutex);
    if (!m_target)
        return false;
    QCoreApplication::postEvent(m_target, notification.release());
    return true;
}

void CommLink::releaseTarget()
{
    std::lock_guard lock(m_targetMutex);
    m_target = nullptr;
}
