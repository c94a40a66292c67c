#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

// Calls back when the machine has woken from standby or hibernation: logind's
// PrepareForSleep(false). Devices that vanished over the sleep are looked for at once
// instead of at their next search.
class LogindResumeWatch : public QObject {
    Q_OBJECT
public:
    LogindResumeWatch(const QDBusConnection &bus, std::function<void()> resumed,
                      QObject *parent = nullptr);
    // False when the bus would not deliver the signal (no system bus).
    bool watching() const { return m_watching; }

private slots:
    void prepareForSleep(bool going);

private:
    std::function<void()> m_resumed;
    bool m_watching = false;
};
