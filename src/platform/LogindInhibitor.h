#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

// A delay lock of systemd-logind on shutdown and sleep: while it is held, logind waits
// (a few seconds at most) before it shuts down or suspends, so that the program can save.
// On PrepareForShutdown(true) or PrepareForSleep(true) `preparing` is emitted with the
// lock still held, then the lock is released; when the machine wakes up again (or a
// shutdown is called off) the lock is taken again.
class LogindInhibitor : public QObject {
    Q_OBJECT
public:
    LogindInhibitor(const QDBusConnection &bus, QString who, QString why,
                    QObject *parent = nullptr);

    bool hasBus() const { return m_bus.isConnected(); }
    bool holdsLock() const { return m_lock.isValid(); }

    // Asks for the lock without waiting for the answer; `lockTaken` or `lockRefused`
    // follows.
    void acquire();

signals:
    // Listeners connected directly run before the lock goes.
    void preparing(bool shutdown);
    void resumed();
    void lockTaken();
    void lockRefused(const QString &error);

private slots:
    void onPrepareForShutdown(bool start);
    void onPrepareForSleep(bool start);

private:
    void prepare(bool shutdown);
    void wake();

    QDBusConnection m_bus;
    QString m_who;
    QString m_why;
    QDBusUnixFileDescriptor m_lock;
    bool m_asking = false;
    bool m_preparing = false; // between PrepareFor...(true) and (false)
};
