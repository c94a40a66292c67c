#include <benchmark/benchmark.h>

#include <QApplication>

// Every benchmark program runs with an offscreen QApplication, so that widgets, pictures
// and queued events work as in the program and nothing needs a screen.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
