// Decoding one long chunk of the CAN2COM adapter: the largest chunk the serial component
// delivers (2048 bytes), cut into lines, and the same chunk through the whole link with
// read-outs, trace and keys.
#include "can/Can2ComLink.h"
#include "can/CanHex.h"
#include "can/CanPage.h"
#include "can/CanTrace.h"
#include "support/PortRequestLog.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>

namespace {

// Lines of 5 bytes each ("1203" and CR), as many as fit into 2048 bytes.
QByteArray longChunk(const char *line)
{
    QByteArray chunk;
    while (chunk.size() + 5 <= 2048)
        chunk += QByteArray(line) + '\r';
    return chunk;
}

} // namespace

static void BM_ChunkToLines(benchmark::State &state)
{
    const QByteArray chunk = longChunk("1203");
    for (auto _ : state)
        benchmark::DoNotOptimize(CanHex::lines(chunk));
    state.SetBytesProcessed(state.iterations() * chunk.size());
}
BENCHMARK(BM_ChunkToLines)->Unit(benchmark::kMicrosecond);

static void BM_ReceiveChunk(benchmark::State &state, const char *line)
{
    CanPage page;
    CanTrace trace(*page.CAN2COMMemo);
    QLabel canLabel;
    PortRequestLog port;
    int keys = 0;
    Can2ComLink link({port,
                      page,
                      trace,
                      canLabel,
                      [] { return QColor(Qt::white); },
                      [] { return true; },
                      [](const QString &) {},
                      [&](quint16 &) { ++keys; },
                      {},
                      QString(),
                      {}});
    const QByteArray chunk = longChunk(line);
    for (auto _ : state) {
        port.deliver(chunk);
        state.PauseTiming();
        trace.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * chunk.size());
    benchmark::DoNotOptimize(keys);
}
// Light-switch lines: a caption and a trace line each.
BENCHMARK_CAPTURE(BM_ReceiveChunk, light_lines, "1203")->Unit(benchmark::kMicrosecond);
// Wheel lines: a glyph, a trace line and a key each.
BENCHMARK_CAPTURE(BM_ReceiveChunk, wheel_lines, "1601")->Unit(benchmark::kMicrosecond);
