// The serial component under the car's load: the GPS line at 4800 bit/s and the CAN2COM
// line at 9600 bit/s fed at once for 30 s, and the cost of one chunk from the line to the
// receive handler.
#include "serial/TVSSComm32.h"
#include "support/PseudoTerminal.h"
#include "support/SerialSoak.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

static void BM_SerialSoak(benchmark::State &state)
{
    for (auto _ : state) {
        const SerialSoak::Result r = SerialSoak::run(std::chrono::seconds(state.range(0)));
        bool intact = r.opened;
        qint64 bytes = 0, chunks = 0, dispatchNs = 0;
        for (const SerialSoak::Line &line : r.lines) {
            intact = intact && line.fed && line.received == line.sent && line.terminated &&
                     line.largestChunk <= 2048;
            bytes += line.sent.size();
            chunks += line.chunks;
            dispatchNs = std::max(dispatchNs, line.maxDispatchNs);
        }
        if (!intact)
            state.SkipWithError("bytes lost, repeated or out of order");
        state.counters["bytes"] = double(bytes);
        state.counters["chunks"] = double(chunks);
        state.counters["gps_chunks"] = double(r.lines[0].chunks);
        state.counters["max_dispatch_us"] = double(dispatchNs) / 1000.0;
        state.counters["max_ui_gap_ms"] = double(r.maxUiGapMs);
        state.counters["close_ms"] = double(r.closeMs);
    }
}
BENCHMARK(BM_SerialSoak)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);

// One full 2048-byte chunk from the far end of the line to the handler on the UI thread.
static void BM_ChunkToHandler(benchmark::State &state)
{
    PseudoTerminal line;
    TVSSComm32 port;
    const QString path = line.path();
    port.setDevicePaths([path](TCommPort) { return path; });
    port.setBaudRate(TBaudRate::_256000);
    port.setDataBits(TDataBits::_8);
    port.setCarTimeout(0); // only a full buffer ends a read
    qint64 delivered = 0;
    port.setOnReceiveData([&delivered](const char *, quint16 length) { delivered += length; });
    if (!line.valid() || !port.OpenPort()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const QByteArray chunk(2048, 'x');
    qint64 expected = 0;
    for (auto _ : state) {
        line.send(chunk);
        expected += chunk.size();
        while (delivered < expected)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.SetBytesProcessed(expected);
    port.ClosePort();
}
BENCHMARK(BM_ChunkToHandler)->Unit(benchmark::kMicrosecond);
