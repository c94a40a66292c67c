#include "platform/TimedatedSystemClock.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString Service = QStringLiteral("org.freedesktop.timedate1");
const QString Path = QStringLiteral("/org/freedesktop/timedate1");
const QString Interface = QStringLiteral("org.freedesktop.timedate1");
// timedated's answer to SetTime while synchronisation is on.
const QString SyncEnabled = QStringLiteral("org.freedesktop.timedate1.AutomaticTimeSyncEnabled");

} // namespace

TimedatedSystemClock::TimedatedSystemClock(const QDBusConnection &bus, int timeoutMs,
                                           std::function<QDateTime()> now)
    : m_bus(bus), m_timeoutMs(timeoutMs), m_now(std::move(now))
{
}

QDateTime TimedatedSystemClock::now() const { return m_now ? m_now() : m_direct.now(); }

bool TimedatedSystemClock::setLocalTime(const QDateTime &local)
{
    if (!local.isValid())
        return false;
    if (!m_bus.isConnected())
        return m_direct.setLocalTime(local);
    return shift(now().msecsTo(local));
}

bool TimedatedSystemClock::shift(qint64 msecs)
{
    if (!m_bus.isConnected())
        return m_direct.shift(msecs);
    if (synchronised()) {
        noteSynchronised();
        return false;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("SetTime"));
    // Microseconds, relative, interactive.
    call << qlonglong(msecs * 1000) << true << true;
    // Not waited for: polkit may ask for a password for as long as the driver takes.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), &m_calls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &m_calls,
                     [this](QDBusPendingCallWatcher *done) {
                         if (done->isError() && done->error().name() == SyncEnabled)
                             noteSynchronised();
                         done->deleteLater();
                     });
    return true;
}

// A short bound: timedated answers at once, and the screen must not hang on it.
bool TimedatedSystemClock::synchronised()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << Interface << QStringLiteral("NTP");
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    return reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

void TimedatedSystemClock::noteSynchronised()
{
    if (m_toldSynchronised)
        return;
    m_toldSynchronised = true;
    if (m_trace)
        m_trace(NtpActive);
}
