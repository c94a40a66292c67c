#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

struct addrinfo;
class QSocketNotifier;

// A TCP connection made without waiting for it: every address of the host is called at
// once and the first connection that stands wins; the others are dropped. What this
// machine decides at once (a host on it answering or refusing) is known when start()
// returns; anything later comes through decided() from the event loop, once.
class TcpConnector : public QObject {
public:
    enum class State { Connecting, Connected, Failed };

    explicit TcpConnector(std::function<void()> decided, QObject *parent = nullptr);
    ~TcpConnector() override;
    TcpConnector(const TcpConnector &) = delete;
    TcpConnector &operator=(const TcpConnector &) = delete;

    void start(const addrinfo *addresses);
    State state() const { return m_state; }
    // The errno of the last address that failed.
    int error() const { return m_error; }
    // The connected descriptor, non-blocking; the caller closes it.
    int take();
    // Drops every call under way; decided() is not called any more.
    void abandon();

private:
    struct Call {
        int fd = -1;
        QPointer<QSocketNotifier> writable; // a child: it may go while it signals
    };

    void call(const addrinfo &address);
    void settleAtOnce();
    void watch();
    void settle(int fd);
    void won(int fd);
    void failed(int fd, int error);
    void closeCall(Call &call);

    std::function<void()> m_decided;
    std::vector<Call> m_calls;
    State m_state = State::Connecting;
    int m_fd = -1;
    int m_error = 0;
};
