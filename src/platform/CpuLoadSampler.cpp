#include "platform/CpuLoadSampler.h"

#include <QDir>
#include <QFile>

#include <utility>

namespace {

CpuLoadSampler::Sample failure(const char *message) { return {0.0, QString::fromLatin1(message)}; }

} // namespace

CpuLoadSampler::CpuLoadSampler(QString root, int cpu) : m_root(std::move(root)), m_cpu(cpu) {}

CpuLoadSampler::Sample CpuLoadSampler::sample()
{
    const QDir proc(QDir(m_root).filePath(QStringLiteral("proc")));
    QFile file(proc.filePath(QStringLiteral("stat")));
    if (!file.open(QIODevice::ReadOnly)) {
        m_previous.reset();
        if (!proc.exists())
            return failure("Unable to start performance monitoring");
        return failure("Unable to locate the \"Processor\" performance object");
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        m_previous.reset();
        return failure("Unable to read performance data");
    }
    const ProcStat::Result result = ProcStat::parse(bytes, m_cpu);
    if (result.status != ProcStat::Status::Ok) {
        m_previous.reset();
        return failure(result.status == ProcStat::Status::NoSuchCpu
                           ? "CPU index out of bounds"
                           : "Unable to locate the \"% of CPU usage\" performance counter");
    }
    const ProcStat::CpuTimes now = result.times;
    const std::optional<ProcStat::CpuTimes> before = std::exchange(m_previous, now);
    if (!before)
        return {};
    // Counters that ran backwards (a processor taken off line and back) count as no time.
    if (now.total <= before->total)
        return {};
    const quint64 elapsed = now.total - before->total;
    const quint64 idle = now.idle >= before->idle ? now.idle - before->idle : 0;
    const quint64 busy = idle < elapsed ? elapsed - idle : 0;
    return {double(busy) / double(elapsed), QString()};
}
