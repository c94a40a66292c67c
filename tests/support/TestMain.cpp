#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include <ctime>

// The sanitizers' settings live here rather than in the environment, so that a test
// program started by hand behaves as under ctest.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=1:abort_on_error=0";
}

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

// Allocations the system libraries keep for the life of the process.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n"
           "leak:libQt6Core\n"
           "leak:libQt6Gui\n"
           "leak:libQt6Widgets\n"
           "leak:libQt6DBus\n"
           "leak:libglib-2.0\n"
           "leak:libmpv\n"
           "leak:libavcodec\n"
           "leak:libavformat\n"
           "leak:libavutil\n"
           "leak:libEGL\n"
           "leak:libGLX\n";
}

// Every test program runs with an offscreen QApplication, UTC and a fixed locale, so that
// no result depends on the machine's screen, time zone or regional settings.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    ::tzset();
    qputenv("LC_ALL", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("ROVANA_TEST_SOURCE_DIR"))
        qputenv("ROVANA_TEST_SOURCE_DIR", ROVANA_SOURCE_DIR);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
