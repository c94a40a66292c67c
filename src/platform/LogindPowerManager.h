#pragma once

#include "platform/PowerManager.h"

#include <QDBusConnection>

// Power actions through systemd-logind on the given bus (the system bus on the car, a
// private bus in tests). With no bus, every question answers "not allowed" and every
// request is dropped.
class LogindPowerManager : public PowerManager {
public:
    explicit LogindPowerManager(const QDBusConnection &bus, int timeoutMs = 3000);

    bool canSuspend() override;
    bool canHibernate() override;
    void halt() override;
    void powerOff() override;
    void suspend() override;
    void hibernate() override;
    void startShell(const QString &command) override;

private:
    bool allowed(const QString &method);
    void request(const QString &method);

    QDBusConnection m_bus;
    int m_timeoutMs;
};
