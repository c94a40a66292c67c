#pragma once

#include "platform/SystemClock.h"

#include <QList>

// A clock that stands still until it is set: the window's clock when none is handed in,
// and the tests' clock. It takes every valid time unless told to refuse, and remembers
// what it was asked to set.
class ManualSystemClock : public SystemClock {
public:
    explicit ManualSystemClock(QDateTime start = QDateTime::currentDateTime())
        : m_now(std::move(start))
    {
    }

    QDateTime now() const override { return m_now; }
    bool setLocalTime(const QDateTime &local) override
    {
        m_requests << local;
        if (!local.isValid() || m_refuse)
            return false;
        m_now = local;
        return true;
    }

    void set(const QDateTime &now) { m_now = now; }
    void refuse(bool refuse) { m_refuse = refuse; }
    const QList<QDateTime> &requests() const { return m_requests; }

private:
    QDateTime m_now;
    bool m_refuse = false;
    QList<QDateTime> m_requests;
};
