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
    "$GPRMC,214949,A,5121.5792,N,00714.4555,E,027.0,054.7,191194,020.3,E*7F\r\n",
    "$GPGGA,214950,5121.5850,N,00714.4680,E,1,07,01.1,00153.9,M,086.0,M,,*49\r\n"
    "$GPRMC,214950,A,5121.5850,N,00714.4680,E,027.0,054.7,191194,020.3,E*7D\r\n"};

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

namespace {

// A minute of a u-blox receiver on the move: a GNGGA and a GNRMC sentence a second, with
// their checksums, as the bytes arrive on the line.
QByteArray minuteOfSentences(qsizetype &sentences)
{
    const auto framed = [](const QByteArray &body) {
        uint sum = 0;
        for (const char c : body)
            sum ^= uchar(c);
        return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0') +
               "\r\n";
    };
    QByteArray bytes;
    sentences = 0;
    for (int s = 0; s < 60; ++s) {
        const QByteArray time = "1015" + QByteArray::number(s).rightJustified(2, '0') + ".00";
        const QByteArray lat = "20" + QByteArray::number(37.72792 + s * 0.0123, 'f', 5);
        const QByteArray lon =
            "087" + QByteArray::number(4.08478 + s * 0.0071, 'f', 5).rightJustified(8, '0');
        bytes +=
            framed("GNGGA," + time + ',' + lat + ",N," + lon + ",W,1,12,0.78,12.4,M,-16.9,M,,");
        bytes += framed("GNRMC," + time + ",A," + lat + ",N," + lon + ",W,27.5,54.70,091226,,,A");
        sentences += 2;
    }
    return bytes;
}

} // namespace

// Sentences per second through the reception: joining, checksums, talker choice, both
// parsers and the fix update, the read-outs off.
static void BM_NmeaSentencesThroughReception(benchmark::State &state)
{
    qsizetype sentences = 0;
    const QByteArray bytes = minuteOfSentences(sentences);
    SharedValues shared;
    GpsReception gps(shared, {});
    for (auto _ : state)
        gps.VSSComm321ReceiveData(bytes.constData(), quint16(bytes.size()));
    benchmark::DoNotOptimize(shared.TripKm);
    state.SetItemsProcessed(state.iterations() * sentences);
}
BENCHMARK(BM_NmeaSentencesThroughReception);

// The floor: the same bytes as text, cut into lines and each line at its commas.
static void BM_NmeaSentencesPlainSplit(benchmark::State &state)
{
    qsizetype sentences = 0;
    const QByteArray bytes = minuteOfSentences(sentences);
    qsizetype fields = 0;
    for (auto _ : state) {
        const QString text = QString::fromLatin1(bytes);
        for (const QString &line : text.split(QLatin1String("\r\n"), Qt::SkipEmptyParts))
            fields += line.split(QLatin1Char(',')).size();
    }
    benchmark::DoNotOptimize(fields);
    state.SetItemsProcessed(state.iterations() * sentences);
}
BENCHMARK(BM_NmeaSentencesPlainSplit);
