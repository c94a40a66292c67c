#include "app/DevicePorts.h"

#include "app/CommPortControl.h"
#include "app/Configuration.h"
#include "core/IniFile.h"
#include "core/QtIntervalTimer.h"
#include "platform/GpsdSource.h"
#include "serial/ReopeningPort.h"

namespace {

IntervalTimer::Factory orQtTimers(IntervalTimer::Factory timers)
{
    if (timers)
        return timers;
    return [] {
        return QtIntervalTimer::make();
    };
}

std::unique_ptr<ReopeningPort> reopening(std::unique_ptr<CommPortControl> port, const QString &name,
                                         IntervalTimer::Factory timers, const QString &byIdDir)
{
    CommPortControl *line = port.get();
    return std::make_unique<ReopeningPort>(
        std::move(port),
        ReopeningPort::Wiring{name, [line] { return line->devicePath(); },
                              orQtTimers(std::move(timers)),
                              [line](const QString &device) { line->setDeviceOverride(device); },
                              byIdDir.isEmpty() ? SerialByIdName::Dir : byIdDir});
}

std::optional<GpsdSource::Address> gpsd(const QString &iniFile)
{
    return GpsdSource::parse(Configuration::gpsSourceIn(IniFile::load(iniFile)));
}

} // namespace

std::unique_ptr<ReopeningPort>
DevicePorts::can2com(const QString &iniFile, IntervalTimer::Factory timers, const QString &byIdDir)
{
    return reopening(CommPortControl::can2com(iniFile), QStringLiteral("CAN2COM"),
                     std::move(timers), byIdDir);
}

std::unique_ptr<ReopeningPort>
DevicePorts::gps(const QString &iniFile, IntervalTimer::Factory timers, const QString &byIdDir)
{
    const std::optional<GpsdSource::Address> address = gpsd(iniFile);
    if (!address)
        return reopening(CommPortControl::gps(iniFile), QStringLiteral("GPS"), std::move(timers),
                         byIdDir);
    const QString text = QStringLiteral("gpsd at ") + address->text();
    return std::make_unique<ReopeningPort>(std::make_unique<GpsdSource>(*address),
                                           ReopeningPort::Wiring{QStringLiteral("GPS"),
                                                                 [text] { return text; },
                                                                 orQtTimers(std::move(timers))});
}

QString DevicePorts::gpsSourceNote(const QString &iniFile)
{
    const std::optional<GpsdSource::Address> address = gpsd(iniFile);
    if (!address)
        return {};
    return QStringLiteral("GPS source: gpsd at ") + address->text();
}
