#pragma once

#include "support/LoopbackListener.h"

#include <poll.h>

#include <vector>

// A TCP server on the loopback that answers no call: its backlog (none) is taken by a
// call of its own that it does not accept, so the kernel drops every further call and
// the caller's connect() stays under way, as toward a host that is not there. Once room
// is made, a waiting caller gets through at its next try (its kernel tries again after
// about a second); once the server is closed, that try is refused.
class SilentListener {
public:
    SilentListener()
    {
        m_filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        m_full = ::connect(m_filler, m_listener.address(), sizeof(sockaddr_in)) == 0;
    }
    ~SilentListener()
    {
        for (const int fd : m_accepted)
            ::close(fd);
        ::close(m_filler);
    }
    SilentListener(const SilentListener &) = delete;
    SilentListener &operator=(const SilentListener &) = delete;

    quint16 port() const { return m_listener.port(); }
    bool full() const { return m_full; }
    // Accepts the oldest call, making room for one more.
    bool makeRoom()
    {
        const int fd = m_listener.accept();
        if (fd >= 0)
            m_accepted.push_back(fd);
        return fd >= 0;
    }
    // Whether the call accepted last has sent something, within ms.
    bool heardWithin(int ms) const
    {
        pollfd p{m_accepted.empty() ? -1 : m_accepted.back(), POLLIN, 0};
        return ::poll(&p, 1, ms) == 1;
    }
    void close() { m_listener.close(); }

private:
    LoopbackListener m_listener{0};
    int m_filler = -1;
    bool m_full = false;
    std::vector<int> m_accepted;
};
