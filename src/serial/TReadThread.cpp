#include "serial/TReadThread.h"

#include "serial/CommLink.h"
#include "serial/CommNotification.h"
#include "serial/CommTrace.h"
#include "serial/LineErrors.h"

#include <cerrno>
#include <new>
#include <poll.h>
#include <unistd.h>

TReadThread::TReadThread(std::shared_ptr<CommLink> link, int carTimeoutMs)
    : m_link(std::move(link)), m_carTimeout(carTimeoutMs > 0 ? carTimeoutMs : 0)
{
    setObjectName(QStringLiteral("TReadThread"));
}

void TReadThread::run()
{
    LineErrors errors(m_link->device());
    while (!isInterruptionRequested()) {
        pollfd fds[2] = {{m_link->closeEvent(), POLLIN, 0}, {m_link->device(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, pollTimeout());
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            CommTrace::systemError(QStringLiteral("Read WAIT_FAILED: "), errno);
            hangUp();
            break;
        }
        if (fds[0].revents) {
            CommTrace::line(QStringLiteral("Time to Exit"));
            break;
        }
        if (!reportLineErrors(errors)) {
            hangUp();
            CommTrace::line(QStringLiteral("Unable HandleCommEvent: "));
            break;
        }
        const short device = fds[1].revents;
        bool ok = true;
        if (device & POLLIN)
            ok = readAvailable();
        else if (device & (POLLHUP | POLLERR | POLLNVAL))
            ok = false;
        else if (ready == 0 && m_count > 0 && gapPassed())
            ok = deliver();
        if (!ok) {
            // Bytes received before the line went away still reach the owner.
            if (m_count > 0)
                deliver();
            hangUp();
            CommTrace::line(QStringLiteral("Unable to HandleReadEvent: "));
            break;
        }
    }
    CommTrace::line(QStringLiteral("Read thread shutting down"));
    m_link->discardInput();
}

int TReadThread::pollTimeout() const
{
    if (m_count == 0 || m_carTimeout == 0)
        return -1;
    using namespace std::chrono;
    const auto left = m_lastByte + milliseconds(m_carTimeout) - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return int(ceil<milliseconds>(left).count());
}

bool TReadThread::gapPassed() const
{
    return Clock::now() - m_lastByte >= std::chrono::milliseconds(m_carTimeout);
}

bool TReadThread::readAvailable()
{
    const ssize_t got =
        ::read(m_link->device(), m_buffer.data() + m_count, size_t(BufferSize - m_count));
    if (got > 0) {
        m_count += int(got);
        m_lastByte = Clock::now();
        return m_count < BufferSize || deliver();
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return true;
    if (got == 0) {
        CommTrace::line(QStringLiteral("The line has hung up"));
    } else if (errno == EBADF) {
        CommTrace::line(QStringLiteral(
            "ERROR_INVALID_HANDLE, Likely that the Service Provider has closed the port."));
    } else {
        CommTrace::systemError(QStringLiteral("Unexpected ReadFile error: "), errno);
    }
    return false;
}

bool TReadThread::reportLineErrors(LineErrors &errors)
{
    const quint32 flags = errors.take();
    if (flags == 0)
        return true;
    const QByteArray text = LineErrors::eventText(flags);
    try {
        return m_link->post(CommNotification::data(text.constData(), quint32(text.size())));
    } catch (const std::bad_alloc &) {
        CommTrace::systemError(QStringLiteral("LocalAlloc: "), ENOMEM);
        return false;
    }
}

bool TReadThread::deliver()
{
    const quint32 count = quint32(m_count);
    m_count = 0;
    try {
        return m_link->post(CommNotification::data(m_buffer.data(), count));
    } catch (const std::bad_alloc &) {
        CommTrace::systemError(QStringLiteral("LocalAlloc: "), ENOMEM);
        return false;
    }
}

void TReadThread::hangUp() { m_link->post(CommNotification::hangup()); }
