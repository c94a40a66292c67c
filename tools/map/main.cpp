// The map tool:
//   rovana-map import EXTRACT.osm.pbf MAP.rovanamap   prepare a map for the program
//   rovana-map info MAP.rovanamap                     what a prepared map holds
//   rovana-map town FILE [latitude longitude [size in km [town name]]]
//                                                     a made-up town as an extract (demo, tests)
//   rovana-map country FILE [streets]                 a made-up country as a PBF extract
//                                                     (benchmarks; 1500 streets: 20 million nodes)
#include "log/MapFile.h"
#include "log/MapImporter.h"
#include "support/OsmExtract.h"
#include "support/SyntheticTown.h"
#include "SyntheticCountry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

#include <atomic>
#include <csignal>
#include <ctime>
#include <optional>
#include <thread>

namespace {

std::optional<double> number(const QString &text, double low, double high)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<SyntheticTown::Plan> planFrom(const QStringList &args)
{
    SyntheticTown::Plan plan;
    if (args.size() >= 3) {
        const auto lat = number(args[1], -80.0, 80.0);
        const auto lon = number(args[2], -180.0, 180.0);
        if (!lat || !lon)
            return std::nullopt;
        plan.latitude = *lat;
        plan.longitude = *lon;
    } else if (args.size() == 2) {
        return std::nullopt;
    }
    if (args.size() >= 4) {
        const auto km = number(args[3], 0.3, 30.0);
        if (!km)
            return std::nullopt;
        plan.sizeMetres = *km * 1000.0;
    }
    if (args.size() >= 5)
        plan.name = args[4];
    return plan;
}

int usage()
{
    QTextStream(stderr)
        << "usage: rovana-map import EXTRACT.osm.pbf MAP.rovanamap\n"
           "       rovana-map info MAP.rovanamap\n"
           "       rovana-map town FILE [latitude longitude [size in km (0.3..30) [town name]]]\n"
           "       rovana-map country FILE.osm.pbf [streets each way (10..5000)]\n";
    return 2;
}

int town(const QStringList &args)
{
    const auto plan = args.size() >= 1 && args.size() <= 5 ? planFrom(args) : std::nullopt;
    if (!plan)
        return usage();
    OsmExtract osm;
    SyntheticTown::addTo(osm, *plan);
    if (!osm.write(args[0])) {
        QTextStream(stderr) << "rovana-map: cannot write " << args[0] << "\n";
        return 1;
    }
    QTextStream(stdout) << args[0] << ": " << osm.nodeCount() << " nodes, " << osm.wayCount()
                        << " ways around " << plan->latitude << ", " << plan->longitude << "\n";
    return 0;
}

int country(const QStringList &args)
{
    if (args.size() < 1 || args.size() > 2)
        return usage();
    SyntheticCountry::Plan plan;
    if (args.size() == 2) {
        const auto streets = number(args[1], 10, 5000);
        if (!streets)
            return usage();
        plan.streets = int(*streets);
    }
    SyntheticCountry::Written written;
    if (!SyntheticCountry::write(args[0], plan, written)) {
        QTextStream(stderr) << "rovana-map: cannot write " << args[0] << "\n";
        return 1;
    }
    QTextStream(stdout) << args[0] << ": " << written.nodes << " nodes, " << written.ways
                        << " ways\n";
    return 0;
}

// Ctrl-C, a hang-up or a kill ask the import to stop; it then removes what it wrote.
class StopWatch {
public:
    StopWatch()
    {
        sigemptyset(&m_set);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&m_set, signal);
        // Blocked before any reader thread starts: they inherit the mask.
        pthread_sigmask(SIG_BLOCK, &m_set, nullptr);
        m_thread = std::thread([this] {
            const timespec wait{0, 100'000'000};
            while (!m_done)
                if (sigtimedwait(&m_set, nullptr, &wait) > 0)
                    m_stop = true;
        });
    }
    ~StopWatch()
    {
        m_done = true;
        m_thread.join();
    }
    StopWatch(const StopWatch &) = delete;
    StopWatch &operator=(const StopWatch &) = delete;
    const std::atomic<bool> &stop() const { return m_stop; }

private:
    sigset_t m_set{};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

QString duration(double seconds)
{
    const auto s = qint64(seconds + 0.5);
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// One line redrawn in place: the pass, a bar, the counts and the time left of the pass.
class ProgressLine {
public:
    ProgressLine() { m_clock.start(); }

    void show(const MapImporter::Progress &p)
    {
        if (p.pass != m_pass) {
            m_pass = p.pass;
            m_passStart = m_clock.elapsed();
        } else if (m_clock.elapsed() - m_shown < 200) {
            return;
        }
        m_shown = m_clock.elapsed();
        constexpr int Width = 24;
        const int filled = int(p.done * Width);
        const double spent = (m_clock.elapsed() - m_passStart) / 1000.0;
        const QString left =
            p.done > 0.02 ? duration(spent * (1.0 - p.done) / p.done) : QStringLiteral("-:--");
        static const char *passes[] = {"", "relations", "nodes and ways", "tiles"};
        QTextStream(stderr) << "\r" << passes[std::clamp(p.pass, 0, 3)] << " ["
                            << QString(filled, QLatin1Char('#'))
                            << QString(Width - filled, QLatin1Char('.')) << "] nodes " << p.nodes
                            << ", ways " << p.ways << ", relations " << p.relations << ", left "
                            << left << "   ";
    }
    double seconds() const { return m_clock.elapsed() / 1000.0; }

private:
    QElapsedTimer m_clock;
    qint64 m_shown = 0;
    qint64 m_passStart = 0;
    int m_pass = -1;
};

int import(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    StopWatch stopper;
    ProgressLine line;
    const MapImporter::Result result = MapImporter::run(
        args[0], args[1], stopper.stop(), [&](const MapImporter::Progress &p) { line.show(p); });
    QTextStream(stderr) << "\n";
    if (!result.ok) {
        QTextStream(stderr) << "rovana-map: " << args[1] << " not written: " << result.error
                            << "\n";
        return 1;
    }
    QTextStream(stdout) << args[1] << ": " << result.counts.nodes << " nodes, "
                        << result.counts.ways << " ways, " << result.counts.relations
                        << " relations read; " << result.features << " features in " << result.tiles
                        << " tiles, " << result.bytes << " bytes, in " << duration(line.seconds())
                        << "\n";
    return 0;
}

int info(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    const MapFile::Opened opened = MapFile::open(args[0]);
    if (!opened.file) {
        QTextStream(stderr) << "rovana-map: " << opened.error << "\n";
        return 1;
    }
    const MapFile &map = *opened.file;
    const GeoBox box = map.bounds();
    QTextStream out(stdout);
    out << args[0] << ": prepared map version " << map.header().version << ", " << map.size()
        << " bytes\n";
    out << "  box " << box.south << ", " << box.west << " to " << box.north << ", " << box.east
        << (map.header().flags & MapFileFormat::HasBoundaries ? ", with boundaries" : "") << "\n";
    for (std::size_t b = 0; b < map.bands().size(); ++b) {
        const MapFileFormat::Band &band = map.bands()[b];
        std::uint64_t bytes = 0;
        std::uint64_t largest = 0;
        map.forEachEntry(b, [&](const MapFileFormat::IndexEntry &e) {
            bytes += e.size;
            largest = std::max<std::uint64_t>(largest, e.size);
        });
        out << "  band " << b << ": ";
        if (band.role & MapFileFormat::Drawn)
            out << "drawn from " << band.fromMetresPerPixel << " to "
                << std::min(band.upToMetresPerPixel, 1e9) << " m/pixel";
        if (band.role & MapFileFormat::LookUpRoads)
            out << ", street look-up";
        if (band.role & MapFileFormat::LookUpPlaces)
            out << "town look-up";
        out << "; tiles of " << band.tileUnits / 1e7 << " degrees: " << band.tileCount << ", "
            << bytes << " bytes, largest " << largest << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("import"))
        return import(args);
    if (command == QLatin1String("info"))
        return info(args);
    if (command == QLatin1String("town"))
        return town(args);
    if (command == QLatin1String("country"))
        return country(args);
    return usage();
}
