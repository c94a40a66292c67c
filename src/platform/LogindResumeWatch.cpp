#include "platform/LogindResumeWatch.h"

LogindResumeWatch::LogindResumeWatch(const QDBusConnection &bus, std::function<void()> resumed,
                                     QObject *parent)
    : QObject(parent), m_resumed(std::move(resumed))
{
    QDBusConnection connection(bus);
    m_watching = connection.connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(prepareForSleep(bool)));
}

void LogindResumeWatch::prepareForSleep(bool going)
{
    if (!going && m_resumed)
        m_resumed();
}
