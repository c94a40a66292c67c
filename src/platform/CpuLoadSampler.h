#pragma once

#include "platform/ProcStat.h"

#include <QString>

#include <optional>

// The load of the first processor between two samples: 1 - (idle ticks / all ticks),
// read from <root>/proc/stat. The root is "/" on the car; tests hand in a fake tree.
class CpuLoadSampler {
public:
    struct Sample {
        double load = 0.0; // 0..1
        // Why the load couldn't be measured; empty when it was.
        QString error;
    };

    explicit CpuLoadSampler(QString root = QStringLiteral("/"), int cpu = 0);

    // The first successful sample only initialises the previous values and gives 0, as
    // does a sample with no time elapsed since the previous one.
    Sample sample();

private:
    QString m_root;
    int m_cpu;
    std::optional<ProcStat::CpuTimes> m_previous;
};
