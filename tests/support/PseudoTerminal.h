#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

// A pseudo-terminal pair standing in for a serial line: the component opens path(), the
// test plays the far end (the GPS receiver, the CAN adapter) on the master side.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        char name[256] = {};
        if (::ttyname_r(m_slave, name, sizeof name) == 0)
            m_path = QString::fromLocal8Bit(name);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal()
    {
        closeMaster();
        closeSlave();
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool valid() const { return m_master >= 0 && !m_path.isEmpty(); }
    QString path() const { return m_path; }
    // A handle of our own on the line, to look at its settings.
    int slave() const { return m_slave; }
    // Bytes that arrived on the line and wait to be read.
    int waiting() const
    {
        int n = 0;
        return ::ioctl(m_slave, FIONREAD, &n) == 0 ? n : -1;
    }

    // Sends every byte from the far end; false when the line stays full for timeoutMs or
    // fails.
    bool send(const QByteArray &bytes, int timeoutMs = 5000) const
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 20);
        }
        return true;
    }

    // Everything the component wrote, waiting up to timeoutMs for the first byte.
    QByteArray receive(int timeoutMs) const
    {
        QByteArray got;
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return got;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_master, buffer, sizeof buffer)) > 0)
            got.append(buffer, n);
        return got;
    }

    // The far end goes away, as a USB adapter pulled out.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }
    void closeSlave()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        m_slave = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
