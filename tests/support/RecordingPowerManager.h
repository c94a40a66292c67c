#pragma once

#include "platform/PowerManager.h"

#include <QStringList>

// A power manager that does nothing and remembers what it was asked, in order: "halt",
// "powerOff", "suspend", "hibernate", "shell <command>". Suspend and hibernate are not
// allowed unless a test allows them.
class RecordingPowerManager : public PowerManager {
public:
    bool canSuspend() override { return suspendAllowed; }
    bool canHibernate() override { return hibernateAllowed; }
    void halt() override { m_requests << QStringLiteral("halt"); }
    void powerOff() override { m_requests << QStringLiteral("powerOff"); }
    void suspend() override { m_requests << QStringLiteral("suspend"); }
    void hibernate() override { m_requests << QStringLiteral("hibernate"); }
    void startShell(const QString &command) override
    {
        m_requests << QStringLiteral("shell ") + command;
    }
    const QStringList &requests() const { return m_requests; }

    bool suspendAllowed = false;
    bool hibernateAllowed = false;

private:
    QStringList m_requests;
};
