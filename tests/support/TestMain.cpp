#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

// Every test program runs with an offscreen QApplication and a fixed locale, so that no
// result depends on the machine's screen or regional settings.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
