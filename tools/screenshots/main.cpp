// Renders each of the ten screens of a program directory offscreen into PNG files:
// screen-0.png .. screen-9.png, plus options-<page>.png for the pages of the options,
// options-can.png with a few decoded CAN lines, and with a track in the MP3 directory
// playing (the window's silent stand-in player "plays" it) now-playing-options.png. When the
// directory holds the demo's GPS log (feed/gps.log), the first minutes of the drive go through the
// window's GPS port first: the POI screen shows the car among the cameras, the drivers log has
// entries and the map shows where the car is. The window works on a mirror of the directory, so the
// directory itself is never written; the pictures show both as /home/driver/Rovana/.
#include "NeutralPaths.h"
#include "ProgramMirror.h"
#include "support/StandInServices.h"

#include "app/OptionsScreen.h"
#include "app/TForm1.h"
#include "core/Screen.h"
#include "core/SettingsModel.h"
#include "log/DriversLog.h"
#include "log/MapPalette.h"
#include "log/MapScreen.h"
#include "media/CoverProbe.h"
#include "media/NowPlaying.h"
#include "media/VideoPlayback.h"
#include "support/ManualSystemClock.h"
#include "support/PortRequestLog.h"
#include "support/ScriptedAudioPlayer.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTextStream>

#include <functional>

namespace {

// The drive's first second: the time its log starts at.
const QDateTime DriveStart(QDate(2024, 5, 18), QTime(9, 30));
// How much of the drive to replay, and the seconds at which the log looks for a place.
constexpr int DriveSeconds = 150;
constexpr int LogEvery = 50;
// The title each screen has when the driver gets there from the main menu.
const QString ScreenTitles[Screen::Count] = {
    QStringLiteral("MP3 playing"), QStringLiteral("Select MP3"),    QStringLiteral("Main"),
    QStringLiteral("Options"),     QStringLiteral("Video playing"), QStringLiteral("Select Video"),
    QStringLiteral("POI"),         QStringLiteral("Media"),         QStringLiteral("Drivers log"),
    QStringLiteral("Drivers log")};

// The sentences of a GPS log, one burst a second: each GGA starts a burst.
QList<QByteArray> gpsBursts(const QString &log)
{
    QFile file(log);
    QList<QByteArray> bursts;
    if (!file.open(QIODevice::ReadOnly))
        return bursts;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        if (bursts.isEmpty() || line.startsWith("$GPGGA"))
            bursts << QByteArray();
        bursts.last() += line.trimmed() + "\r\n";
    }
    return bursts;
}

// Lets the window's queued work run until done() or the bound (for the map's creation).
void settle(const std::function<bool()> &done, int boundMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < boundMs)
        // Sleeps until something happens (the window's timers wake it at least once a
        // second): a loop that only polls would take a whole core from the program.
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Where the pictures say the program lives, whatever machine renders them.
const QString NeutralProgramDir = QStringLiteral("/home/driver/Rovana/");

class Shots {
public:
    Shots(TForm1 &form, QDir out, NeutralPaths &paths)
        : m_form(form), m_out(std::move(out)), m_paths(paths)
    {
    }
    void take(const QString &name)
    {
        QApplication::processEvents();
        m_paths.apply(m_form);
        m_ok &= m_form.grab().save(m_out.filePath(name + QStringLiteral(".png")));
        m_paths.restore();
    }
    bool ok() const { return m_ok; }

private:
    TForm1 &m_form;
    QDir m_out;
    NeutralPaths &m_paths;
    bool m_ok = true;
};

// The start of the demo drive through the GPS port, the drivers log in business mode
// looking for the place now and then.
void drive(TForm1 &form, ManualSystemClock &clock, const QList<QByteArray> &bursts)
{
    form.ComandPanelTopRightClick();
    settle([&] { return form.shared().MapAvailable; }, 20000);
    if (!form.shared().BusinessMode)
        form.logbook()->Panel90Click();
    const auto &port = static_cast<PortRequestLog &>(form.gpsPort());
    for (int s = 0; s < std::min<int>(DriveSeconds, int(bursts.size())); ++s) {
        clock.set(DriveStart.addSecs(s));
        port.deliver(bursts[s]);
        QApplication::processEvents();
        if (s % LogEvery == 1)
            form.logbook()->LogTimerTimer();
    }
}

// The first track of the MP3 tree, in name order, 17 s into it on the now-playing screen.
bool playFirstTrack(TForm1 &form)
{
    QStringList tracks;
    QDirIterator it(form.options()->Mp3PathEdit->text(), {QStringLiteral("*.mp3")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        tracks << it.next();
    tracks.sort();
    if (tracks.isEmpty())
        return false;
    NowPlaying &playing = *form.nowPlaying();
    // A cover inside the track's tag is read in the background: waited for (a while at
    // most, as there may be none to read).
    bool coverRead = !CoverProbe::mayHoldCover(tracks.first());
    const QMetaObject::Connection read = QObject::connect(
        &playing.coverProbe(), &CoverProbe::finished, &form, [&coverRead] { coverRead = true; });
    playing.PlayMP3File(tracks.first(), false);
    settle([&coverRead] { return coverRead; }, 2000);
    QObject::disconnect(read);
    static_cast<ScriptedAudioPlayer &>(form.audio()).advance(17000);
    playing.MP3TimerTimer();
    playing.Image3Click();
    return true;
}

// The first film of the video tree with its options open: the stand-in player shows no
// picture, the panels over it are the window's.
void filmOptions(TForm1 &form, Shots &shots)
{
    QDirIterator it(form.options()->MoviePathEdit->text(), {QStringLiteral("*.avi")}, QDir::Files,
                    QDirIterator::Subdirectories);
    if (!it.hasNext())
        return;
    form.video()->PlayVideoFile(it.next());
    form.video()->Button19Click();
    shots.take(QStringLiteral("film-options"));
    form.video()->Panel25Click();
}

// The options pages, and the "CAN" page after a few lines of the adapter on the window's
// stand-in port.
void options(TForm1 &form, Shots &shots)
{
    form.navigator().showScreen(Screen::Settings);
    for (int p = 0; p < OptionsScreen::PageCount; ++p) {
        form.options()->setPage(p);
        shots.take(QStringLiteral("options-%1").arg(p));
    }
    form.options()->setPage(OptionsScreen::Can);
    static_cast<PortRequestLog &>(form.can2comPort())
        .deliver("1003\r1106\r1202\r13WAUZZZ4E56N012345\r1606\r1608\r160B\r");
    shots.take(QStringLiteral("options-can"));
}

// Every screen by night (the map page as it stands), then day again as the settings had it.
void nightShots(TForm1 &form, Shots &shots)
{
    const int screen = form.navigator().activeScreen();
    const QString source = form.settings().values().nightSource;
    form.settings().set(&Settings::nightSource, QStringLiteral("night"));
    shots.take(QStringLiteral("night-map"));
    for (int i = 0; i < Screen::Count; ++i) {
        form.navigator().showScreen(i);
        form.navigator().setTitle(ScreenTitles[i]);
        shots.take(QStringLiteral("night-screen-%1").arg(i));
    }
    // Day first: a source that has said nothing yet (the lights) keeps what is shown.
    form.settings().set(&Settings::nightSource, QStringLiteral("day"));
    form.settings().set(&Settings::nightSource, source);
    form.navigator().showScreen(screen);
    form.navigator().setTitle(ScreenTitles[screen]);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 3) {
        QTextStream(stderr) << "usage: rovana-screenshots <program directory> <output directory>\n";
        return 2;
    }
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    ProgramMirror mirror(programDir);
    if (!mirror.isValid()) {
        QTextStream(stderr) << "rovana-screenshots: cannot mirror " << programDir << "\n";
        return 1;
    }
    QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    Services services;
    auto clock = std::make_unique<ManualSystemClock>(DriveStart);
    ManualSystemClock &time = *clock;
    services.clock = std::move(clock);
    TForm1 form(mirror.path(), standInServices(std::move(services)));
    form.show();
    QApplication::processEvents();
    NeutralPaths paths(
        {mirror.path(), QDir(programDir).absolutePath(), QDir(programDir).canonicalPath()},
        NeutralProgramDir);
    Shots shots(form, out, paths);

    if (const auto bursts = gpsBursts(QDir(programDir).filePath(QStringLiteral("feed/gps.log")));
        !bursts.isEmpty())
        drive(form, time, bursts);
    // One tick of the status line's clock, so that it shows the drive's time.
    settle([] { return false; }, 1100);
    const bool playing = playFirstTrack(form);
    for (int i = 0; i < Screen::Count; ++i) {
        form.navigator().showScreen(i);
        form.navigator().setTitle(ScreenTitles[i]);
        shots.take(QStringLiteral("screen-%1").arg(i));
    }
    // The map page three zoom steps out, where the lake and the park show, by day and by
    // night.
    form.navigator().showScreen(Screen::SetLog);
    form.navigator().setTitle(ScreenTitles[Screen::SetLog]);
    for (int step = 0; step < 3; ++step)
        form.mapScreen()->ZoomOut();
    shots.take(QStringLiteral("map-day"));
    form.mapScreen()->setMapPalette(MapPalette::night());
    shots.take(QStringLiteral("map-night"));
    form.mapScreen()->setMapPalette(MapPalette::day());
    nightShots(form, shots);
    for (int step = 0; step < 3; ++step)
        form.mapScreen()->ZoomIn();
    options(form, shots);
    filmOptions(form, shots);
    if (playing) {
        form.navigator().showScreen(Screen::MP3Album);
        quint16 key = 'C';
        form.dispatcher().FormKeyDown(key);
        shots.take(QStringLiteral("now-playing-options"));
    }
    return shots.ok() ? 0 : 1;
}
