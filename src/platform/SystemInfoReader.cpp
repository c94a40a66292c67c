#include "platform/SystemInfoReader.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cmath>
#include <utility>

namespace {

// Files below /proc and /sys are small; a cap keeps a bad tree from costing memory.
constexpr qint64 MaxFileBytes = 1 << 20;

// "key<tabs> : value" as /proc/cpuinfo writes it.
bool splitKeyValue(const QByteArray &line, QByteArray &key, QByteArray &value)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return false;
    key = line.left(colon).trimmed();
    value = line.mid(colon + 1).trimmed();
    return true;
}

QString text(const QByteArray &bytes) { return QString::fromUtf8(bytes).simplified(); }

// A whole number in a /sys attribute, -1 when there is none.
qint64 number(const QByteArray &bytes)
{
    bool ok = false;
    const qint64 n = bytes.trimmed().toLongLong(&ok);
    return ok ? n : -1;
}

struct Battery {
    QString status;        // "Charging", "Discharging", "Full", "Not charging", "Unknown"
    QString capacityLevel; // "Critical", "Low", "Normal", "High", "Full", "Unknown"
    int capacity = -1;
};

quint8 levelFlag(const Battery &b)
{
    const QString level = b.capacityLevel;
    if (level == QLatin1String("Full") || level == QLatin1String("High"))
        return PowerStatus::High;
    if (level == QLatin1String("Low"))
        return PowerStatus::Low;
    if (level == QLatin1String("Critical"))
        return PowerStatus::Critical;
    if (level == QLatin1String("Normal"))
        return 0;
    // No level reported: derive it from the charge as the flag bits define it.
    if (b.capacity < 0)
        return PowerStatus::UnknownFlag;
    if (b.capacity > 66)
        return PowerStatus::High;
    if (b.capacity < 5)
        return PowerStatus::Critical;
    if (b.capacity < 33)
        return PowerStatus::Low;
    return 0;
}

quint8 batteryFlag(const Battery &b)
{
    const quint8 level = levelFlag(b);
    const bool charging = b.status == QLatin1String("Charging");
    if (level == PowerStatus::UnknownFlag)
        return charging ? PowerStatus::Charging : PowerStatus::UnknownFlag;
    return quint8(level | (charging ? PowerStatus::Charging : 0));
}

} // namespace

SystemInfoReader::SystemInfoReader(QString root) : m_root(std::move(root)) {}

QByteArray SystemInfoReader::read(const QString &relativePath) const
{
    QFile file(QDir(m_root).filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(MaxFileBytes);
}

SystemInfoReader::Processor SystemInfoReader::parseCpuInfo(const QByteArray &cpuinfo)
{
    Processor p;
    bool inFirst = false;
    for (const QByteArray &line : cpuinfo.split('\n')) {
        QByteArray key, value;
        if (line.trimmed().isEmpty()) {
            if (inFirst)
                break; // the end of the first processor's block
            continue;
        }
        inFirst = true;
        if (!splitKeyValue(line, key, value))
            continue;
        if (key == "vendor_id" && p.vendorId.isEmpty())
            p.vendorId = text(value);
        else if ((key == "model name" || key == "Processor") && p.modelName.isEmpty())
            p.modelName = text(value);
        else if (key == "cpu MHz" && p.mhz == 0.0) {
            bool ok = false;
            const double mhz = value.toDouble(&ok);
            if (ok && std::isfinite(mhz) && mhz > 0 && mhz < 1e7)
                p.mhz = mhz;
        }
    }
    return p;
}

SystemInfoReader::Memory SystemInfoReader::parseMemInfo(const QByteArray &meminfo)
{
    Memory m;
    quint64 memFree = 0;
    bool haveAvailable = false;
    for (const QByteArray &line : meminfo.split('\n')) {
        QByteArray key, value;
        if (!splitKeyValue(line, key, value))
            continue;
        bool ok = false;
        const quint64 kb = value.split(' ').value(0).toULongLong(&ok);
        if (!ok)
            continue;
        if (key == "MemTotal")
            m.totalKb = kb;
        else if (key == "MemAvailable") {
            m.freeKb = kb;
            haveAvailable = true;
        } else if (key == "MemFree")
            memFree = kb;
    }
    if (!haveAvailable)
        m.freeKb = memFree;
    return m;
}

QString SystemInfoReader::vendorName(const QString &vendorId)
{
    static const std::pair<const char *, const char *> names[] = {
        {"GenuineIntel", "Intel"},
        {"AuthenticAMD", "AMD"},
        {"CentaurHauls", "Centaur"},
        {"CyrixInstead", "Cyrix"},
        {"GenuineTMx86", "Transmeta"},
        {"HygonGenuine", "Hygon"},
        {"Shanghai", "Zhaoxin"},
        {"VIA VIA VIA", "VIA"},
        {"NexGenDriven", "NexGen"},
        {"RiseRiseRise", "Rise"},
        {"SiS SiS SiS", "SiS"},
        {"UMC UMC UMC", "UMC"},
        {"Geode by NSC", "National Semiconductor"}};
    for (const auto &[id, name] : names) {
        if (vendorId == QLatin1String(id))
            return QString::fromLatin1(name);
    }
    return {};
}

const SystemInfoReader::Processor &SystemInfoReader::processor() const
{
    if (!m_processor)
        m_processor = parseCpuInfo(read(QStringLiteral("proc/cpuinfo")));
    return *m_processor;
}

QString SystemInfoReader::processorIdentity() const
{
    const Processor &p = processor();
    QStringList parts{vendorName(p.vendorId), p.modelName, p.vendorId};
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

int SystemInfoReader::clockMhz() const
{
    // The rated clock where the kernel knows it; the current clock otherwise.
    const QString cpufreq = QStringLiteral("sys/devices/system/cpu/cpu0/cpufreq/");
    for (const char *name : {"base_frequency", "cpuinfo_max_freq"}) {
        const qint64 khz = number(read(cpufreq + QLatin1String(name)));
        if (khz > 0 && khz < qint64(1e10))
            return int(khz / 1000);
    }
    return int(processor().mhz);
}

SystemInfoReader::Memory SystemInfoReader::memory() const
{
    return parseMemInfo(read(QStringLiteral("proc/meminfo")));
}

PowerStatus SystemInfoReader::powerStatus() const
{
    const QString base = QStringLiteral("sys/class/power_supply/");
    const QStringList supplies =
        QDir(QDir(m_root).filePath(base))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    bool mainsSeen = false, mainsOnline = false, batterySeen = false;
    Battery battery;
    for (const QString &name : supplies) {
        const QString dir = base + name + QLatin1Char('/');
        const QString type = text(read(dir + QStringLiteral("type")));
        if (type == QLatin1String("Mains") || type.startsWith(QLatin1String("USB"))) {
            mainsSeen = true;
            mainsOnline = mainsOnline || number(read(dir + QStringLiteral("online"))) > 0;
        } else if (type == QLatin1String("Battery") && !batterySeen) {
            // Scope "Device" marks the batteries of a mouse or a headset.
            if (number(read(dir + QStringLiteral("present"))) == 0 ||
                text(read(dir + QStringLiteral("scope"))) == QLatin1String("Device"))
                continue;
            batterySeen = true;
            battery.status = text(read(dir + QStringLiteral("status")));
            battery.capacityLevel = text(read(dir + QStringLiteral("capacity_level")));
            const qint64 capacity = number(read(dir + QStringLiteral("capacity")));
            battery.capacity = capacity >= 0 ? int(qMin<qint64>(capacity, 100)) : -1;
        }
    }

    PowerStatus s;
    if (!batterySeen) {
        s.batteryFlag = PowerStatus::NoBattery;
        // Without a battery the machine can only run on external power; a mains supply
        // that reports itself off line leaves the source open.
        s.source =
            mainsSeen && !mainsOnline ? PowerStatus::Source::Unknown : PowerStatus::Source::Mains;
        return s;
    }
    s.batteryFlag = batteryFlag(battery);
    s.chargePercent = battery.capacity;
    const QString status = battery.status;
    if (mainsOnline || status == QLatin1String("Charging") || status == QLatin1String("Full") ||
        status == QLatin1String("Not charging"))
        s.source = PowerStatus::Source::Mains;
    else if (status == QLatin1String("Discharging") || mainsSeen)
        s.source = PowerStatus::Source::Battery;
    return s;
}
