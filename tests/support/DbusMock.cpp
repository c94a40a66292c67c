#include "support/DbusMock.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr int StartBoundMs = 30000; // a python start on a busy machine; reached on failure only

QString objectPath(const QString &service)
{
    return QLatin1Char('/') + QString(service).replace('.', '/');
}

} // namespace

bool DbusMock::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
}

DbusMock::DbusMock(const QString &templateName, const QString &service,
                   const QByteArray &parameters)
    : m_service(service), m_path(objectPath(service)),
      m_connectionName(QStringLiteral("rovana-mock-") + templateName)
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {"--session", "--nofork", "--nopidfile", "--print-address"});
    if (!m_daemon.waitForStarted(StartBoundMs) ||
        !QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, StartBoundMs))
        return;
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
    m_mock.setProcessEnvironment(env);
    m_mock.setProcessChannelMode(QProcess::ForwardedChannels);
    // Debian's interpreter: the package installs the module for it.
    m_mock.start(QStringLiteral("/usr/bin/python3"),
                 {"-m", "dbusmock", "--template", templateName, "-l", m_dir.file("calls.log"), "-p",
                  QString::fromUtf8(parameters)});
    const QDBusConnection connection = bus();
    m_ready = connection.isConnected() &&
              QTest::qWaitFor(
                  [&] { return connection.interface()->isServiceRegistered(m_service).value(); },
                  StartBoundMs);
}

DbusMock::~DbusMock()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    for (QProcess *p : {&m_mock, &m_daemon}) {
        p->terminate();
        if (!p->waitForFinished(5000))
            p->kill();
        p->waitForFinished(5000);
    }
}

QDBusConnection DbusMock::bus() const
{
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

QStringList DbusMock::calls() const
{
    QFile log(m_dir.file("calls.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList result;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QString l = QString::fromUtf8(line).section(' ', 1);
        if (!l.isEmpty())
            result << l;
    }
    return result;
}

QDBusMessage DbusMock::call(const QString &interface, const QString &method,
                            const QVariantList &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
    message.setArguments(arguments);
    return bus().call(message);
}

bool DbusMock::emitSignal(const QString &interface, const QString &name, const QString &signature,
                          const QVariantList &arguments) const
{
    const QDBusMessage reply =
        call(QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"),
             {interface, name, signature, QVariant::fromValue(arguments)});
    return reply.type() == QDBusMessage::ReplyMessage;
}
