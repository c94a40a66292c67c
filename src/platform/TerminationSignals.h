#pragma once

#include <QObject>

#include <array>
#include <csignal>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (systemd stopping the session, Ctrl-C, a closed terminal)
// turned into a Qt signal of the thread that made the object. The handler only writes the
// signal's number to a pipe, which is safe in a handler; the pipe wakes the event loop,
// where the rest runs. One object at a time; the previous handlers return when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> Handled{SIGTERM, SIGINT, SIGHUP};

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // False when the pipe or a handler could not be set up (or another object holds
    // them): the signals then keep their previous effect.
    bool valid() const { return m_installed; }

signals:
    void received(int signalNumber);

private:
    void drain();
    void restore();

    int m_read = -1;
    int m_write = -1;
    bool m_installed = false;
    std::array<struct sigaction, Handled.size()> m_previous{};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
