// Renders each of the ten screens of a program directory offscreen into PNG files:
// screen-0.png .. screen-9.png, plus options-<page>.png for the pages of the options,
// options-can.png with a few decoded CAN lines, and with a track in the MP3 directory
// now-playing.png and now-playing-options.png (the window's silent stand-in player "plays"
// it).
#include "app/OptionsScreen.h"
#include "app/PortRequestLog.h"
#include "app/Screen.h"
#include "app/TForm1.h"
#include "media/NowPlaying.h"
#include "platform/ScriptedAudioPlayer.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 3) {
        QTextStream(stderr) << "usage: rovana-screenshots <program directory> <output directory>\n";
        return 2;
    }
    QString programDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    TForm1 form(programDir);
    form.show();
    QApplication::processEvents();
    bool ok = true;
    for (int i = 0; i < Screen::Count; ++i) {
        form.showScreen(i);
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("screen-%1.png").arg(i)));
    }
    form.showScreen(Screen::Settings);
    for (int p = 0; p < OptionsScreen::PageCount; ++p) {
        form.options()->setPage(p);
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("options-%1.png").arg(p)));
    }
    // The "CAN" page after a few lines of the adapter on the window's stand-in port.
    form.options()->setPage(OptionsScreen::Can);
    static_cast<PortRequestLog &>(form.can2comPort())
        .deliver("1003\r1106\r1202\r13WAUZZZ4E56N012345\r1606\r1608\r160B\r");
    QApplication::processEvents();
    ok &= form.grab().save(out.filePath(QStringLiteral("options-can.png")));

    // The first track of the MP3 tree, in name order.
    QStringList tracks;
    QDirIterator it(form.options()->Mp3PathEdit->text(), {QStringLiteral("*.mp3")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        tracks << it.next();
    tracks.sort();
    if (!tracks.isEmpty()) {
        NowPlaying &playing = *form.nowPlaying();
        playing.PlayMP3File(tracks.first(), false);
        static_cast<ScriptedAudioPlayer &>(form.audio()).advance(17000);
        playing.MP3TimerTimer();
        playing.Image3Click();
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("now-playing.png")));
        quint16 key = 'C';
        form.dispatcher().FormKeyDown(key);
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("now-playing-options.png")));
    }
    return ok ? 0 : 1;
}
