// Writes starting files for the radar.bin fuzz target into the directory given.
#include "gps/RadarBin.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace {
bool write(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<CameraRecord> road{{51.3614, 7.2459, 50},
                                         {51.3617, 7.2534, 50},
                                         {51.3732, 7.2488, 70},
                                         {51.3700, 7.2122, 30},
                                         {51.3596, 7.2409, 100}};
    bool ok = write(dir, "road.bin", RadarBin::encode(road));
    ok &= write(dir, "tail.bin", RadarBin::encode(road) + QByteArray(11, '\x3F'));
    ok &= write(dir, "bad.bin", RadarBin::encode({{nan, 7, 1}, {91, 7, 2}, {51.36, 7.24, 3}}));
    ok &= write(dir, "same.bin", RadarBin::encode({{51.36, 7.24, 50}, {51.36, 7.24, 60}}));
    ok &= write(dir, "world.bin",
                RadarBin::encode({{89.9, 0, 1}, {-89.9, 180, 2}, {0, -180, 3}, {0, 180, 4}}));
    return ok ? 0 : 1;
}
