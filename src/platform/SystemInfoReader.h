#pragma once

#include "platform/PowerStatus.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The figures of the system description, read from <root>/proc and <root>/sys. The root
// is "/" on the car; tests hand in a fake tree. Nothing here fails: what can't be read
// is empty, 0 or unknown.
class SystemInfoReader {
public:
    struct Processor {
        QString vendorId;  // "GenuineIntel"
        QString modelName; // "Intel(R) Core(TM) i5 ..."
        double mhz = 0.0;  // the first processor's current clock, 0 when not given
    };
    struct Memory {
        quint64 totalKb = 0;
        quint64 freeKb = 0; // what programs can still get without swapping
    };

    explicit SystemInfoReader(QString root = QStringLiteral("/"));

    // Vendor name, model name and vendor identification, separated by single spaces.
    QString processorIdentity() const;
    // The processor's rated clock in whole MHz, 0 when unknown.
    int clockMhz() const;
    Memory memory() const;
    // From <root>/sys/class/power_supply: "Mains" (and USB) supplies and batteries.
    PowerStatus powerStatus() const;

    // Byte parsers of the two /proc files: the first processor's block of cpuinfo, and
    // the "MemTotal"/"MemAvailable" (or "MemFree") lines of meminfo.
    static Processor parseCpuInfo(const QByteArray &cpuinfo);
    static Memory parseMemInfo(const QByteArray &meminfo);
    // "GenuineIntel" -> "Intel"; empty for identifications it doesn't know.
    static QString vendorName(const QString &vendorId);

private:
    QByteArray read(const QString &relativePath) const;
    // /proc/cpuinfo is slow to produce (the kernel measures every processor's clock):
    // read it once.
    const Processor &processor() const;

    QString m_root;
    mutable std::optional<Processor> m_processor;
};
