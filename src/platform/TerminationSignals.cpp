#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The one thing a handler may reach: the pipe's writing end. A handler gets no context,
// so this has to live outside the object; the object sets and clears it.
std::atomic<int> handlerPipe{-1};

void onSignal(int signalNumber)
{
    const int saved = errno;
    const int fd = handlerPipe.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        // Non-blocking: with the pipe full, enough wake-ups are already waiting.
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_read = fds[0];
    m_write = fds[1];
    int expected = -1;
    if (!handlerPipe.compare_exchange_strong(expected, m_write))
        return; // another object holds the handlers

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Restarted: the other threads' reads and waits go on as if nothing happened.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Handled.size(); ++i) {
        if (::sigaction(Handled[i], &action, &m_previous[i]) != 0) {
            for (size_t j = 0; j < i; ++j)
                ::sigaction(Handled[j], &m_previous[j], nullptr);
            handlerPipe.store(-1);
            return;
        }
    }
    m_installed = true;
    m_notifier = std::make_unique<QSocketNotifier>(m_read, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);
}

TerminationSignals::~TerminationSignals()
{
    m_notifier.reset();
    restore();
    if (m_read >= 0)
        ::close(m_read);
    if (m_write >= 0)
        ::close(m_write);
}

void TerminationSignals::restore()
{
    if (!m_installed)
        return;
    for (size_t i = 0; i < Handled.size(); ++i)
        ::sigaction(Handled[i], &m_previous[i], nullptr);
    handlerPipe.store(-1);
    m_installed = false;
}

void TerminationSignals::drain()
{
    unsigned char byte = 0;
    while (::read(m_read, &byte, 1) == 1)
        emit received(int(byte));
}
