// The work the status line does every second (clock, date and a /proc/stat sample) and
// the system description read once at start-up, on this machine's real /proc and /sys.
#include "app/StatusClock.h"
#include "app/StatusLine.h"
#include "app/SystemDescription.h"
#include "platform/SystemInfoReader.h"
#include "widgets/LevelBar.h"

#include <benchmark/benchmark.h>

#include <QApplication>

static void BM_ClockTick(benchmark::State &state)
{
    StatusLine status;
    LevelBar meter;
    StatusClock clock(status, meter, CpuLoadSampler(), {});
    for (auto _ : state)
        clock.ClocktimerTimer();
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond);

static void BM_CpuTick(benchmark::State &state)
{
    StatusLine status;
    LevelBar meter;
    StatusClock clock(status, meter, CpuLoadSampler(), {});
    for (auto _ : state)
        clock.CPUTimerTimer();
}
BENCHMARK(BM_CpuTick)->Unit(benchmark::kMicrosecond);

static void BM_SystemDescription(benchmark::State &state)
{
    for (auto _ : state) {
        const SystemInfoReader reader;
        benchmark::DoNotOptimize(SystemDescription::startupLines(QStringLiteral("/opt/"), reader));
    }
}
BENCHMARK(BM_SystemDescription)->Unit(benchmark::kMicrosecond);
