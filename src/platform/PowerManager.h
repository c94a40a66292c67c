#pragma once

#include <QString>

// The power actions of Exit and the start of the desktop shell. Requests are not
// interactive and may be refused; a refusal changes nothing and is not reported.
class PowerManager {
public:
    virtual ~PowerManager() = default;

    // True only when the system answers that the action is allowed without asking.
    virtual bool canSuspend() = 0;
    virtual bool canHibernate() = 0;

    virtual void halt() = 0; // shut down, power stays on
    virtual void powerOff() = 0;
    virtual void suspend() = 0;
    virtual void hibernate() = 0;

    // Starts the command line detached, with the program's environment; a failure is
    // ignored.
    virtual void startShell(const QString &command) = 0;
};
