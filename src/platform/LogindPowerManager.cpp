#include "platform/LogindPowerManager.h"

#include <QDBusMessage>
#include <QProcess>

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindPowerManager::LogindPowerManager(const QDBusConnection &bus, int timeoutMs)
    : m_bus(bus), m_timeoutMs(timeoutMs)
{
}

bool LogindPowerManager::allowed(const QString &method)
{
    if (!m_bus.isConnected())
        return false;
    // A short bound: the answer comes at once from a working logind, and the screen
    // must not hang on a broken one.
    const QDBusMessage reply = m_bus.call(
        QDBusMessage::createMethodCall(Service, Path, Manager, method), QDBus::Block, m_timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1 &&
           reply.arguments().first().toString() == QLatin1String("yes");
}

void LogindPowerManager::request(const QString &method)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Manager, method);
    call << false; // not interactive: never ask the driver for a password
    // Sent without waiting for the answer: logind replies once the action is under way,
    // and a refusal needs no handling.
    m_bus.send(call);
}

bool LogindPowerManager::canSuspend() { return allowed(QStringLiteral("CanSuspend")); }

bool LogindPowerManager::canHibernate() { return allowed(QStringLiteral("CanHibernate")); }

void LogindPowerManager::halt() { request(QStringLiteral("Halt")); }

void LogindPowerManager::powerOff() { request(QStringLiteral("PowerOff")); }

void LogindPowerManager::suspend() { request(QStringLiteral("Suspend")); }

void LogindPowerManager::hibernate() { request(QStringLiteral("Hibernate")); }

void LogindPowerManager::startShell(const QString &command)
{
    QStringList args = QProcess::splitCommand(command);
    if (args.isEmpty())
        return;
    const QString program = args.takeFirst();
    QProcess::startDetached(program, args);
}
