// Load and save of a configuration file that holds 1,000 keys we don't know besides our
// own: the cost of keeping unknown content.
#include "core/IniFile.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

static QByteArray bigIni()
{
    QByteArray text = "[Pathes]\nMP3=/music\nMOVIE=/movies\n";
    for (int s = 0; s < 20; ++s) {
        text += "[Unknown" + QByteArray::number(s) + "]\n";
        for (int k = 0; k < 50; ++k)
            text += "key" + QByteArray::number(k) + "=value of some length " +
                    QByteArray::number(s * 50 + k) + "\n";
    }
    return text;
}

static void BM_LoadAndSave1000UnknownKeys(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Rovana.ini");
    IniFile(bigIni()).save(path);
    for (auto _ : state) {
        IniFile ini = IniFile::load(path);
        benchmark::DoNotOptimize(ini.readString("Pathes", "MP3", ""));
        for (int i = 1; i <= 10; ++i)
            ini.writeString("Colors", QStringLiteral("cpx%1.color").arg(i), "clYellow");
        ini.writeInteger("LastRecorded", "km", 1234);
        ini.save(path);
    }
}
BENCHMARK(BM_LoadAndSave1000UnknownKeys)->Unit(benchmark::kMicrosecond);
