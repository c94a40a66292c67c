#pragma once

#include "support/TempDir.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

// A python3-dbusmock template (logind, timedated, ...) on a private bus that the object
// starts and stops: a real D-Bus peer standing in for a system service, and the
// machine's own services stay untouched. The program under test reaches it through
// bus(), or as its system bus through address().
class DbusMock {
public:
    // False when dbus-daemon is not installed: the only reason to skip such a test.
    static bool available();

    DbusMock(const QString &templateName, const QString &service, const QByteArray &parameters);
    ~DbusMock();
    DbusMock(const DbusMock &) = delete;
    DbusMock &operator=(const DbusMock &) = delete;

    bool ready() const { return m_ready; }
    QString address() const { return m_address; }
    QDBusConnection bus() const;

    // The methods called so far with their arguments, as the mock logs them:
    // "SetTime 60000000 True True".
    QStringList calls() const;

    // A call on the mock's main object; the reply (or error) is returned.
    QDBusMessage call(const QString &interface, const QString &method,
                      const QVariantList &arguments = {}) const;
    // The service's main object emits a signal: EmitSignal of the mock interface.
    bool emitSignal(const QString &interface, const QString &name, const QString &signature,
                    const QVariantList &arguments) const;

private:
    TempDir m_dir;
    QString m_service;
    QString m_path;
    QString m_connectionName;
    QProcess m_daemon;
    QProcess m_mock;
    QString m_address;
    bool m_ready = false;
};
