#include "platform/TcpConnector.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

TcpConnector::TcpConnector(std::function<void()> decided, QObject *parent)
    : QObject(parent), m_decided(std::move(decided))
{
}

TcpConnector::~TcpConnector()
{
    abandon();
    if (m_fd >= 0)
        ::close(m_fd);
}

void TcpConnector::start(const addrinfo *addresses)
{
    m_error = ECONNREFUSED;
    for (const addrinfo *a = addresses; a && m_state == State::Connecting; a = a->ai_next)
        call(*a);
    if (m_state == State::Connecting)
        settleAtOnce();
    if (m_state == State::Connecting && m_calls.empty())
        m_state = State::Failed;
    if (m_state == State::Connecting)
        watch();
}

int TcpConnector::take() { return std::exchange(m_fd, -1); }

void TcpConnector::abandon()
{
    for (Call &c : m_calls)
        closeCall(c);
    m_calls.clear();
    m_decided = nullptr;
}

void TcpConnector::call(const addrinfo &address)
{
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) {
        m_calls.push_back({fd, {}});
        won(fd);
    } else if (errno == EINPROGRESS) {
        m_calls.push_back({fd, {}});
    } else {
        m_error = errno;
        ::close(fd);
    }
}

// A host on this machine has answered (or refused) before connect() returned: look
// without waiting, so that such a connection stands when start() returns.
void TcpConnector::settleAtOnce()
{
    std::vector<pollfd> polled;
    for (const Call &c : m_calls)
        polled.push_back({c.fd, POLLOUT, 0});
    if (::poll(polled.data(), polled.size(), 0) <= 0)
        return;
    for (const pollfd &p : polled)
        if (p.revents != 0 && m_state == State::Connecting)
            settle(p.fd);
}

void TcpConnector::watch()
{
    for (Call &c : m_calls) {
        c.writable = new QSocketNotifier(c.fd, QSocketNotifier::Write, this);
        connect(c.writable, &QSocketNotifier::activated, this, [this, fd = c.fd] {
            settle(fd);
            if (m_state != State::Connecting && m_decided)
                std::exchange(m_decided, nullptr)();
        });
    }
}

void TcpConnector::settle(int fd)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error == 0) {
        sockaddr_storage peer{};
        socklen_t peerLength = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0)
            return; // still under way: woken for nothing
        won(fd);
    } else {
        failed(fd, error);
    }
}

void TcpConnector::won(int fd)
{
    for (Call &c : m_calls) {
        if (c.fd == fd)
            c.fd = -1; // handed on
        closeCall(c);
    }
    m_calls.clear();
    m_fd = fd;
    m_state = State::Connected;
}

void TcpConnector::failed(int fd, int error)
{
    m_error = error;
    const auto call =
        std::find_if(m_calls.begin(), m_calls.end(), [fd](const Call &c) { return c.fd == fd; });
    if (call == m_calls.end())
        return;
    closeCall(*call);
    m_calls.erase(call);
    if (m_calls.empty())
        m_state = State::Failed;
}

void TcpConnector::closeCall(Call &call)
{
    if (call.writable) {
        call.writable->setEnabled(false);
        call.writable->deleteLater();
        call.writable = nullptr;
    }
    if (call.fd >= 0)
        ::close(call.fd);
    call.fd = -1;
}
