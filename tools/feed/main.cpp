// rovana-feed: a GPS receiver or a CAN2COM adapter without the car.
//
//   rovana-feed gps [--once] [--baud N] <log> <link>
//   rovana-feed can [--once] [--baud N] <log> <link>
//   rovana-feed drive [--speed KMH] [--start TIME] <waypoints> [<output>]
//
// "gps" and "can" replay a log through a pseudo-terminal whose terminal side <link>
// names (a symbolic link), at the pace of the device, over and over or --once; SIGTERM
// or SIGINT end it and remove the link. "drive" writes the GGA and RMC sentences of a
// drive along the waypoints to <output> (or standard output).
#include "FeedLog.h"
#include "PollingClock.h"
#include "PtyLink.h"
#include "Replayer.h"
#include "StopSignals.h"
#include "WaypointDrive.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

void say(const QString &message) { QTextStream(stderr) << "rovana-feed: " << message << Qt::endl; }

int fail(const QString &message)
{
    say(message);
    return 1;
}

bool readFile(const QString &path, QByteArray *bytes)
{
    QFile f(path);
    if (path == QLatin1String("-") ? !f.open(stdin, QIODevice::ReadOnly)
                                   : !f.open(QIODevice::ReadOnly))
        return false;
    *bytes = f.readAll();
    return true;
}

int replay(const QCommandLineParser &args, bool gps, const StopSignals &stop)
{
    const QStringList positional = args.positionalArguments();
    if (positional.size() != 3)
        return fail(QStringLiteral("usage: rovana-feed %1 [--once] [--baud N] <log> <link>")
                        .arg(positional.value(0)));
    QByteArray text;
    if (!readFile(positional[1], &text))
        return fail(positional[1] + QStringLiteral(": cannot read"));
    std::vector<FeedBlock> blocks = gps ? FeedLog::nmeaBlocks(text) : FeedLog::canBlocks(text);
    if (blocks.empty())
        return fail(positional[1] + QStringLiteral(": nothing to send"));
    bool baudOk = true;
    const int baud = args.isSet("baud") ? args.value("baud").toInt(&baudOk) : (gps ? 4800 : 9600);
    if (!baudOk || baud < 50 || baud > 4'000'000)
        return fail(QStringLiteral("--baud: 50 to 4000000 bit/s"));

    if (!stop.valid())
        return fail(QStringLiteral("cannot watch for signals"));
    PtyLink link(positional[2]);
    if (!link.open())
        return fail(link.error());
    say(link.linkPath() + QStringLiteral(" -> ") + link.terminalPath());

    PollingClock clock(stop.fd());
    const ReplayPace pace{baud,
                          gps ? std::chrono::milliseconds(1000) : std::chrono::milliseconds(0)};
    Replayer replayer(std::move(blocks), pace, clock, link);
    replayer.play(!args.isSet("once"));
    return 0;
}

int drive(const QCommandLineParser &args)
{
    const QStringList positional = args.positionalArguments();
    if (positional.size() < 2 || positional.size() > 3)
        return fail(QStringLiteral(
            "usage: rovana-feed drive [--speed KMH] [--start TIME] <waypoints> [<output>]"));
    QByteArray text;
    if (!readFile(positional[1], &text))
        return fail(positional[1] + QStringLiteral(": cannot read"));
    QString error;
    const auto waypoints = WaypointDrive::parseWaypoints(text, &error);
    if (!waypoints)
        return fail(positional[1] + QStringLiteral(": ") + error);
    bool speedOk = true;
    const double speed = args.isSet("speed") ? args.value("speed").toDouble(&speedOk) : 50.0;
    if (!speedOk || !(speed >= 1.0 && speed <= 400.0))
        return fail(QStringLiteral("--speed: 1 to 400 km/h"));
    QDateTime start = QDateTime::fromString(args.value("start"), Qt::ISODate);
    if (!start.isValid())
        return fail(QStringLiteral("--start: a date and time such as 2024-05-18T09:30:00Z"));

    const QByteArray log = WaypointDrive(*waypoints, speed, start.toUTC()).nmeaLog();
    if (log.isEmpty())
        return fail(QStringLiteral("the drive is too long"));
    QFile out;
    const bool opened = positional.size() == 3
                            ? (out.setFileName(positional[2]), out.open(QIODevice::WriteOnly))
                            : out.open(stdout, QIODevice::WriteOnly);
    if (!opened || out.write(log) != log.size())
        return fail(QStringLiteral("cannot write the log"));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Before any thread starts, so that every thread leaves the stop signals to it.
    const StopSignals stop;
    QCoreApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(
        QStringLiteral("Replays GPS and CAN2COM logs through pseudo-terminals; writes the GPS "
                       "log of a drive along waypoints."));
    args.addHelpOption();
    args.addPositionalArgument(QStringLiteral("command"), QStringLiteral("gps, can or drive"));
    args.addOptions({
        {QStringLiteral("once"), QStringLiteral("Stop at the end of the log instead of looping.")},
        {QStringLiteral("baud"), QStringLiteral("Bit rate of the line."), QStringLiteral("N")},
        {QStringLiteral("speed"), QStringLiteral("Speed of the drive in km/h (50)."),
         QStringLiteral("KMH")},
        {QStringLiteral("start"), QStringLiteral("UTC start of the drive (ISO 8601)."),
         QStringLiteral("TIME"), QStringLiteral("2024-05-18T09:30:00Z")},
    });
    args.process(app);
    const QString command = args.positionalArguments().value(0);
    if (command == QLatin1String("gps") || command == QLatin1String("can"))
        return replay(args, command == QLatin1String("gps"), stop);
    if (command == QLatin1String("drive"))
        return drive(args);
    return fail(QStringLiteral("usage: rovana-feed gps|can|drive ... (see --help)"));
}
