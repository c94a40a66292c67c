#include "app/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovana"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rovana - Audi"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.endsWith(QLatin1Char('/')))
        programDir += QLatin1Char('/');

    TForm1 form(programDir);
    form.show();
    return app.exec();
}
