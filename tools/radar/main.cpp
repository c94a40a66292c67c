// Writes a radar.bin from a text list of cameras: "latitude, longitude, limit" per line
// (see CameraListText). Nothing is written when a line is not a camera.
#include "gps/CameraListText.h"
#include "gps/RadarBin.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: rovana-radar <camera list (text)> <radar.bin to write>\n";
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << "rovana-radar: can't read " << in.fileName() << "\n";
        return 1;
    }
    const CameraListText::Parsed list = CameraListText::parse(QString::fromUtf8(in.readAll()));
    for (const QString &e : list.errors)
        err << in.fileName() << ": " << e << "\n";
    if (!list.errors.isEmpty())
        return 1;
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(RadarBin::encode(list.cameras)) < 0 ||
        !out.commit()) {
        err << "rovana-radar: can't write " << out.fileName() << "\n";
        return 1;
    }
    QTextStream(stdout) << out.fileName() << ": " << list.cameras.size() << " cameras\n";
    return 0;
}
