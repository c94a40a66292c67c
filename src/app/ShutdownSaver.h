#pragma once

#include <QObject>
#include <QString>

#include <functional>

class LogindInhibitor;
class TerminationSignals;

// The saves of an end the driver did not choose on the screen. A termination signal
// (systemd stopping the session, Ctrl-C) saves the settings as Exit does and ends the
// program; logind announcing a shutdown or a sleep saves them while its delay lock still
// holds the machine up. Without a system bus the lock is skipped with one system message.
class ShutdownSaver : public QObject {
    Q_OBJECT
public:
    static inline const QString NoSystemBus =
        QStringLiteral("No system bus: settings are not saved before shutdown or suspend");
    static inline const QString NoLock =
        QStringLiteral("No shutdown lock from logind, settings are not saved before shutdown "
                       "or suspend: ");

    struct Actions {
        std::function<void()> save;
        std::function<void()> quit; // ends the event loop; the window goes down after it
        std::function<void(const QString &)> systemMessage;
    };

    ShutdownSaver(TerminationSignals &termination, LogindInhibitor &logind, Actions actions,
                  QObject *parent = nullptr);

private:
    void terminate();

    Actions m_actions;
    bool m_ending = false;
    bool m_toldNoLock = false;
};
