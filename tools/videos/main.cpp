// Writes the demo directory's films into the directory given: a colour-bar test pattern
// and, in a sub-directory, a short clip. Films already there are kept.
#include "support/AviWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool film(const QString &path, int width, int height, int seconds)
{
    if (QFileInfo::exists(path))
        return true;
    AviWriter::Film f;
    f.width = width;
    f.height = height;
    f.framesPerSecond = 10;
    f.frames = seconds * f.framesPerSecond;
    f.handler = "MJPG";
    f.jpeg = true;
    return AviWriter::write(path, f);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: rovana-videos <movie directory>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = QDir().mkpath(dir.filePath(QStringLiteral("Clips")));
    ok &= film(dir.filePath(QStringLiteral("Test pattern.avi")), 320, 160, 90);
    ok &= film(dir.filePath(QStringLiteral("Clips/Short clip.avi")), 320, 160, 12);
    return ok ? 0 : 1;
}
