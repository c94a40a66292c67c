// Draws the radar map's background, "radarmap.png", into a program directory. Everything
// is painted here.
#include "RadarPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: rovana-radarmap <program directory>\n";
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return 1;
    return RadarPainter::mapBackground().save(dir.filePath("radarmap.png"), "PNG") ? 0 : 1;
}
