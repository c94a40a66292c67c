// Draws the pictures a program directory needs: the main screen background, the media
// choice pictures and the now-playing background. Everything is painted here.
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
    return ok ? 0 : 1;
}
