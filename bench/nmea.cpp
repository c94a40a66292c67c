// One second of GPS data as the receiver sends it (a GGA and an RMC sentence), through
// the reception: split, parse, fix update and, with the warning on, the read-out texts.
#include "core/SharedValues.h"
#include "gps/GpsReception.h"
#include "gps/NavigationText.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

namespace {

// Two bursts a few metres apart, so every fix moves the car and adds a step.
const QByteArray Bursts[2] = {
    "$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A\r\n"
    "$GPRMC,214949,A,5121.5792,N,00714.4555,E,027.0,054.7,191194,020.3,E*68\r\n",
    "$GPGGA,214950,5121.5850,N,00714.4680,E,1,07,01.1,00153.9,M,086.0,M,,*4A\r\n"
    "$GPRMC,214950,A,5121.5850,N,00714.4680,E,027.0,054.7,191194,020.3,E*68\r\n"};

void receive(benchmark::State &state, bool radarOn)
{
    SharedValues shared;
    shared.RadarSystemOn = radarOn;
    QString shown;
    GpsReception::Hooks hooks;
    hooks.showNavigation = [&](const NavigationText &t) {
        shown = t.NAV_LAT;
    };
    GpsReception gps(shared, std::move(hooks));
    size_t i = 0;
    for (auto _ : state) {
        const QByteArray &burst = Bursts[i++ % 2];
        gps.VSSComm321ReceiveData(burst.constData(), quint16(burst.size()));
    }
    benchmark::DoNotOptimize(shared.TripKm);
    benchmark::DoNotOptimize(shown);
}

} // namespace

static void BM_NmeaBurst(benchmark::State &state) { receive(state, false); }
BENCHMARK(BM_NmeaBurst)->Unit(benchmark::kMicrosecond);

static void BM_NmeaBurstWithReadOuts(benchmark::State &state) { receive(state, true); }
BENCHMARK(BM_NmeaBurstWithReadOuts)->Unit(benchmark::kMicrosecond);
