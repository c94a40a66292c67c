#include "platform/ProcStat.h"

#include <QList>

namespace {

// The counters after the idle one that count time of their own: iowait, irq, softirq,
// steal. guest and guest_nice are already part of user and nice.
constexpr int CountedFields = 8;
constexpr int IdleField = 3;

bool isCpuLine(const QByteArray &line, const QByteArray &name)
{
    return line.startsWith(name) && line.size() > name.size() &&
           (line[name.size()] == ' ' || line[name.size()] == '\t');
}

} // namespace

ProcStat::Result ProcStat::parse(const QByteArray &stat, int cpu)
{
    Result result;
    if (cpu < 0)
        return result;
    const QByteArray name = "cpu" + QByteArray::number(cpu);
    for (const QByteArray &line : stat.split('\n')) {
        if (!isCpuLine(line, name))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        QList<quint64> counters;
        for (qsizetype i = 1; i < fields.size() && counters.size() < CountedFields; ++i) {
            bool ok = false;
            const quint64 value = fields[i].toULongLong(&ok);
            if (!ok)
                break;
            counters.append(value);
        }
        if (counters.size() <= IdleField) {
            result.status = Status::NoIdleCounter;
            return result;
        }
        result.status = Status::Ok;
        result.times.idle = counters[IdleField];
        for (quint64 c : counters)
            result.times.total += c; // wraps on nonsense input; the sampler bounds the load
        return result;
    }
    return result;
}
