#pragma once

#include <QByteArray>
#include <QtGlobal>

// The per-processor time counters of /proc/stat ("cpu0 user nice system idle ..."), in
// clock ticks since boot.
class ProcStat {
public:
    enum class Status {
        Ok,
        NoSuchCpu,     // no "cpuN" line
        NoIdleCounter, // the line has fewer than four numbers
    };
    struct CpuTimes {
        quint64 idle = 0;
        // Every tick the processor has accounted for, idle or busy.
        quint64 total = 0;
    };
    struct Result {
        Status status = Status::NoSuchCpu;
        CpuTimes times;
    };

    static Result parse(const QByteArray &stat, int cpu);
};
