#include "app/SystemDescription.h"

#include "platform/SystemInfoReader.h"

namespace {

QString sourceText(PowerStatus::Source source)
{
    switch (source) {
    case PowerStatus::Source::Battery:
        return QStringLiteral("Internal Power, ");
    case PowerStatus::Source::Mains:
        return QStringLiteral("External Power, ");
    default:
        return QStringLiteral("Powersource unknown, ");
    }
}

// Only a single flag has a text; a combination (a charging battery at a high level) has
// none.
QString batteryText(quint8 flag)
{
    switch (flag) {
    case PowerStatus::High:
        return QStringLiteral("battery good, ");
    case PowerStatus::Low:
        return QStringLiteral("battery low, ");
    case PowerStatus::Critical:
        return QStringLiteral("battery critical, ");
    case PowerStatus::Charging:
        return QStringLiteral("battery loading, ");
    case PowerStatus::NoBattery:
        return QStringLiteral("no battery, ");
    case PowerStatus::UnknownFlag:
        return QStringLiteral("no battery info, ");
    default:
        return QString();
    }
}

QString chargeText(int percent)
{
    if (percent < 0)
        return QStringLiteral("no info on % load");
    return QString::number(percent) + QStringLiteral(" %");
}

} // namespace

QString SystemDescription::powerLine(const PowerStatus &status)
{
    return sourceText(status.source) + batteryText(status.batteryFlag) +
           chargeText(status.chargePercent);
}

QStringList SystemDescription::startupLines(const QString &programDir,
                                            const SystemInfoReader &system)
{
    const SystemInfoReader::Memory memory = system.memory();
    return {QStringLiteral("Rovana path is ") + programDir, system.processorIdentity(),
            QStringLiteral("System running at %1 Mhz").arg(system.clockMhz()),
            QStringLiteral("%1 MB free, %2 MB total")
                .arg(memory.freeKb / 1024)
                .arg(memory.totalKb / 1024),
            powerLine(system.powerStatus())};
}
