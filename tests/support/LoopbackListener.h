#pragma once

#include <QtGlobal>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A TCP server socket on 127.0.0.1 at a port the kernel chooses.
class LoopbackListener {
public:
    explicit LoopbackListener(int backlog)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        m_address.sin_family = AF_INET;
        m_address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof m_address;
        ::bind(m_fd, reinterpret_cast<const sockaddr *>(&m_address), sizeof m_address);
        ::listen(m_fd, backlog);
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&m_address), &length);
    }
    ~LoopbackListener() { close(); }
    LoopbackListener(const LoopbackListener &) = delete;
    LoopbackListener &operator=(const LoopbackListener &) = delete;

    quint16 port() const { return ntohs(m_address.sin_port); }
    const sockaddr *address() const { return reinterpret_cast<const sockaddr *>(&m_address); }
    // The next call's descriptor; -1 when there is none.
    int accept() const { return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC); }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    sockaddr_in m_address{};
};
