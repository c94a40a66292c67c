#include "platform/LogindInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <utility>

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindInhibitor::LogindInhibitor(const QDBusConnection &bus, QString who, QString why,
                                 QObject *parent)
    : QObject(parent), m_bus(bus), m_who(std::move(who)), m_why(std::move(why))
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(Service, Path, Manager, QStringLiteral("PrepareForShutdown"), this,
                  SLOT(onPrepareForShutdown(bool)));
    m_bus.connect(Service, Path, Manager, QStringLiteral("PrepareForSleep"), this,
                  SLOT(onPrepareForSleep(bool)));
}

void LogindInhibitor::acquire()
{
    if (!m_bus.isConnected() || m_asking || holdsLock())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Manager, QStringLiteral("Inhibit"));
    call << QStringLiteral("shutdown:sleep") << m_who << m_why << QStringLiteral("delay");
    m_asking = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *done) {
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
                done->deleteLater();
                m_asking = false;
                if (reply.isError()) {
                    emit lockRefused(reply.error().message());
                    return;
                }
                // A lock granted after the machine began to go down would only hold it
                // up: let it go at once.
                if (m_preparing)
                    return;
                m_lock = reply.value();
                emit lockTaken();
            });
}

void LogindInhibitor::onPrepareForShutdown(bool start) { start ? prepare(true) : wake(); }

void LogindInhibitor::onPrepareForSleep(bool start) { start ? prepare(false) : wake(); }

void LogindInhibitor::prepare(bool shutdown)
{
    m_preparing = true;
    emit preparing(shutdown);
    // Closing our copy of the descriptor is what tells logind we are done.
    m_lock = QDBusUnixFileDescriptor();
}

void LogindInhibitor::wake()
{
    m_preparing = false;
    emit resumed();
    acquire();
}
