// The program at rest on a real X display (a virtual X server of its own): resident memory
// and threads of rovana started on an empty program directory with no serial device and
// no feed, after it has settled, beside the same figures of the smallest Qt window.
// ROVANA_IDLE_SECONDS sets how long each process settles (10 s by default).
#include "support/XvfbDisplay.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

struct Footprint {
    qint64 residentKb = 0;
    qint64 threads = 0;
};

Footprint footprintOf(qint64 pid)
{
    Footprint f;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return f;
    for (const QByteArray &line : status.readAll().split('\n')) {
        const QByteArray value = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0);
        if (line.startsWith("VmRSS:"))
            f.residentKb = value.toLongLong();
        else if (line.startsWith("Threads:"))
            f.threads = value.toLongLong();
    }
    return f;
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Starts program on display, lets it settle, measures it, ends it.
Footprint measure(const QString &program, const QByteArray &display, const QString &workDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {});
    if (!process.waitForStarted())
        return {};
    const int settle = qEnvironmentVariableIntValue("ROVANA_IDLE_SECONDS") > 0
                           ? qEnvironmentVariableIntValue("ROVANA_IDLE_SECONDS")
                           : 10;
    wait(settle * 1000);
    const Footprint f =
        process.state() == QProcess::Running ? footprintOf(process.processId()) : Footprint{};
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return f;
}

} // namespace

static void BM_IdleFootprint(benchmark::State &state)
{
    for (auto _ : state) {
        XvfbDisplay display;
        if (display.name().isEmpty())
            return state.SkipWithError("no X server");
        // The program reads and writes its settings beside itself: a copy of its own in
        // an empty program directory, with both serial links switched off.
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("rovana"));
        QFile ini(dir.filePath(QStringLiteral("Rovana.ini")));
        if (!QFile::copy(QStringLiteral(ROVANA_PROGRAM), program) ||
            !ini.open(QIODevice::WriteOnly))
            return state.SkipWithError("no program directory");
        ini.write("[GPSMouseOptions]\nEnabled=0\n[CAN2ComPort]\nEnabled=0\n");
        ini.close();

        const Footprint rovana = measure(program, display.name(), dir.path());
        const Footprint minimal =
            measure(QStringLiteral(ROVANA_MINIMAL_WINDOW), display.name(), dir.path());
        if (rovana.threads == 0 || minimal.threads == 0)
            return state.SkipWithError("a program ended before it was measured");
        state.counters["rovana_rss_MB"] = double(rovana.residentKb) / 1024.0;
        state.counters["rovana_threads"] = double(rovana.threads);
        state.counters["window_rss_MB"] = double(minimal.residentKb) / 1024.0;
        state.counters["window_threads"] = double(minimal.threads);
    }
}
BENCHMARK(BM_IdleFootprint)->Iterations(1)->Unit(benchmark::kSecond);
