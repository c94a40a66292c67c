#include "serial/TWriteThread.h"

#include "serial/CommLink.h"
#include "serial/CommNotification.h"
#include "serial/CommTrace.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

TWriteThread::TWriteThread(std::shared_ptr<CommLink> link)
    : m_link(std::move(link)), m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_wake < 0)
        m_wakeError = errno;
    setObjectName(QStringLiteral("TWriteThread"));
}

TWriteThread::~TWriteThread()
{
    if (m_wake >= 0)
        ::close(m_wake);
}

bool TWriteThread::post(QByteArray bytes)
{
    std::lock_guard lock(m_queueMutex);
    if (m_ended || m_wake < 0)
        return false;
    m_queue.push_back(std::move(bytes));
    const std::uint64_t one = 1;
    return ::write(m_wake, &one, sizeof one) == sizeof one;
}

void TWriteThread::run()
{
    if (m_wake < 0) {
        CommTrace::systemError(QStringLiteral("Unable to CreateEvent: "), m_wakeError);
        m_link->post(CommNotification::hangup());
    } else {
        for (;;) {
            QByteArray request;
            if (take(request)) {
                if (m_link->closeSignalled() || !write(request))
                    break;
            } else if (!waitForWork()) {
                break;
            }
        }
    }
    CommTrace::line(QStringLiteral("Write thread shutting down"));
    m_link->discardOutput();
    std::lock_guard lock(m_queueMutex);
    m_ended = true;
    m_queue.clear();
}

bool TWriteThread::take(QByteArray &request)
{
    std::lock_guard lock(m_queueMutex);
    if (m_queue.empty())
        return false;
    request = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

bool TWriteThread::waitForWork()
{
    pollfd fds[2] = {{m_link->closeEvent(), POLLIN, 0}, {m_wake, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR)
            return true;
        fail(CommTrace::systemErrorText(QStringLiteral("Write WAIT_FAILED: "), errno));
        return false;
    }
    if (fds[0].revents)
        return false;
    std::uint64_t pending = 0;
    (void)!::read(m_wake, &pending, sizeof pending);
    return true;
}

bool TWriteThread::write(const QByteArray &request)
{
    const char *next = request.constData();
    qsizetype left = request.size();
    while (left > 0) {
        const ssize_t written = ::write(m_link->device(), next, size_t(left));
        if (written > 0) {
            next += written;
            left -= written;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            pollfd fds[2] = {{m_link->closeEvent(), POLLIN, 0}, {m_link->device(), POLLOUT, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
                fail(CommTrace::systemErrorText(QStringLiteral("Write WAIT_FAILED: "), errno));
                return false;
            }
            if (fds[0].revents)
                return false; // closing: the rest is dropped quietly
            if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) && !(fds[1].revents & POLLOUT)) {
                CommTrace::line(QStringLiteral("Error writing to CommFile while waiting"));
                fail(QStringLiteral("Closing TAPI"));
                return false;
            }
            continue;
        }
        if (written < 0 && errno == EBADF) {
            CommTrace::line(QStringLiteral(
                "ERROR_INVALID_HANDLE, Likely that the Service Provider has closed the port."));
            return false;
        }
        CommTrace::systemError(QStringLiteral("Error to writing to CommFile"), errno);
        fail(QStringLiteral("Closing TAPI"));
        return false;
    }
    return true;
}

void TWriteThread::fail(const QString &text)
{
    CommTrace::line(text);
    m_link->post(CommNotification::hangup());
}
