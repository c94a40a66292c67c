#include "platform/KnobDiscovery.h"

#include <QDir>
#include <QFile>

#include <linux/input.h>

#include <algorithm>

namespace {

QByteArray readSmall(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096).trimmed();
}

bool isKnob(const QString &eventDir)
{
    const QByteArray name = readSmall(eventDir + QStringLiteral("/device/name"));
    if (name.contains("PowerMate"))
        return true;
    return KnobDiscovery::hasDialAxis(
        readSmall(eventDir + QStringLiteral("/device/capabilities/rel")));
}

} // namespace

bool KnobDiscovery::hasDialAxis(const QByteArray &relCapabilities)
{
    // REL_DIAL lies in the lowest word, which comes last.
    const QList<QByteArray> words = relCapabilities.simplified().split(' ');
    bool ok = false;
    const qulonglong lowest = words.last().toULongLong(&ok, 16);
    return ok && (lowest >> REL_DIAL) & 1U;
}

QString KnobDiscovery::find(const QString &sysClassInput, const QString &devInput)
{
    QStringList events = QDir(sysClassInput)
                             .entryList({QStringLiteral("event*")},
                                        QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
    std::sort(events.begin(), events.end(), [](const QString &a, const QString &b) {
        return a.mid(5).toInt() < b.mid(5).toInt();
    });
    for (const QString &event : std::as_const(events)) {
        if (isKnob(sysClassInput + QLatin1Char('/') + event))
            return devInput + QLatin1Char('/') + event;
    }
    return {};
}
