#pragma once

#include "support/DbusMock.h"

#include <QDBusArgument>
#include <QStringList>

// The locks the logind mock holds, as "what who why mode" lines (ListInhibitors). The
// mock drops a lock once the last copy of its descriptor is closed.
inline QStringList logindInhibitors(const DbusMock &logind)
{
    const QDBusMessage reply = logind.call(QStringLiteral("org.freedesktop.login1.Manager"),
                                           QStringLiteral("ListInhibitors"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return {QStringLiteral("no answer")};
    QStringList locks;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        locks << QStringList{what, who, why, mode}.join(QLatin1Char(' '));
    }
    list.endArray();
    return locks;
}
