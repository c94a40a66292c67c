// Draws the pictures a program directory needs: the main screen background, the media
// choice pictures, the now-playing background, the speed-camera alert and an artist's
// picture. Everything is painted here.
#include "Painter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: rovana-pictures <program directory>\n";
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return 1;
    bool ok = true;
    ok &= Painter::mainBackground().save(dir.filePath("Audi A8.jpg"), "JPG", 90);
    ok &= Painter::audio().save(dir.filePath("audio.jpg"), "JPG", 90);
    ok &= Painter::video().save(dir.filePath("video.jpg"), "JPG", 90);
    ok &= Painter::nowPlayingBackground().save(dir.filePath("Audi Robot MP3.bmp"), "BMP");
    ok &= Painter::alert().save(dir.filePath("alert.jpg"), "JPG", 90);
    // The artist of the demo music whose tracks have no cover of their own.
    ok &= QDir().mkpath(dir.filePath("stars")) &&
          Painter::star(QStringLiteral("The Drivers"))
              .save(dir.filePath("stars/The Drivers.jpg"), "JPG", 90);
    return ok ? 0 : 1;
}
