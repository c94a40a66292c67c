// Start-up to the first painted main menu: the window is built on a program directory,
// reads its settings and paints screen 2.
#include "app/TForm1.h"
#include "support/StandInServices.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

static void BM_StartupToMainMenu(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString pd = dir.path() + QLatin1Char('/');
    QFile ini(pd + "Rovana.ini");
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[Pathes]\nMP3=/\nMOVIE=/\n[GPSMouseOptions]\nEnabled=0\n");
    ini.close();
    for (auto _ : state) {
        TForm1 form(pd, standInServices());
        QPixmap frame = form.grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_StartupToMainMenu)->Unit(benchmark::kMillisecond);
