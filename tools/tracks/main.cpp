// Writes the demo directory's music into the directory given: tagged tracks (silent
// MPEG audio frames) in an album with a cover picture, a single, an artist's directory
// without a cover and a favourite. Files already there are kept.
#include "media/PlayableTrack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

namespace {

bool track(const QString &path, int seconds, const QString &title, const QString &artist)
{
    if (QFileInfo::exists(path))
        return true;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(PlayableTrack::bytes(seconds * 1000, title, artist)) > 0;
}

bool cover(const QString &path, const QString &text)
{
    if (QFileInfo::exists(path))
        return true;
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 400, 400);
    g.setColorAt(0, QColor(0x1B, 0x2A, 0x49));
    g.setColorAt(1, QColor(0xCD, 0xB8, 0x99));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 160), 6));
    for (int r = 40; r < 200; r += 30)
        p.drawEllipse(QPoint(200, 170), r, r);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 320, 400, 60), Qt::AlignCenter, text);
    p.end();
    return image.save(path, "JPG", 90);
}

bool copy(const QString &from, const QString &to)
{
    return QFileInfo::exists(to) || QFile::copy(from, to);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: rovana-tracks <music directory>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QString album = QStringLiteral("Demo Band/First Album");
    bool ok = QDir().mkpath(dir.filePath(album)) && QDir().mkpath(dir.filePath("Singles"));
    const QString band = QStringLiteral("Demo Band");
    ok &= track(dir.filePath(album + "/01 First light.mp3"), 40, "First light", band);
    ok &= track(dir.filePath(album + "/02 Second wind.mp3"), 35, "Second wind", band);
    ok &= track(dir.filePath(album + "/03 Third gear.mp3"), 30, "Third gear", band);
    ok &= cover(dir.filePath(album + "/folder.jpg"), QStringLiteral("First Album"));
    ok &= track(dir.filePath("Singles/Night drive.mp3"), 45, "Night drive", "The Drivers");
    // Without a cover: the now-playing screen shows the artist's picture from stars/.
    ok &= QDir().mkpath(dir.filePath("The Drivers")) &&
          track(dir.filePath("The Drivers/Open road.mp3"), 30, "Open road", "The Drivers");
    // A favourite, as "Copy to Favourites" leaves it: the track and its album's cover.
    const QString favourites = QStringLiteral("$  Favourites");
    ok &=
        QDir().mkpath(dir.filePath(favourites)) &&
        track(dir.filePath(favourites + "/02 Second wind.mp3"), 35, "Second wind", band) &&
        copy(dir.filePath(album + "/folder.jpg"), dir.filePath(favourites + "/02 Second wind.jpg"));
    return ok ? 0 : 1;
}
