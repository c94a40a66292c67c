// Writes a made-up town as an OpenStreetMap extract: a grid of named streets with main
// roads, a motorway and a few named places around a centre. The file name decides the
// format: PBF for ".pbf", XML otherwise.
//   rovana-map <file> [latitude longitude [size in km [town name]]]
#include "support/OsmExtract.h"
#include "support/SyntheticTown.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <optional>

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
    if (args.size() >= 4) {
        const auto lat = number(args[2], -80.0, 80.0);
        const auto lon = number(args[3], -180.0, 180.0);
        if (!lat || !lon)
            return std::nullopt;
        plan.latitude = *lat;
        plan.longitude = *lon;
    } else if (args.size() == 3) {
        return std::nullopt;
    }
    if (args.size() >= 5) {
        const auto km = number(args[4], 0.3, 30.0);
        if (!km)
            return std::nullopt;
        plan.sizeMetres = *km * 1000.0;
    }
    if (args.size() >= 6)
        plan.name = args[5];
    return plan;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto plan = args.size() >= 2 && args.size() <= 6 ? planFrom(args) : std::nullopt;
    if (!plan) {
        QTextStream(stderr) << "usage: rovana-map <file> [latitude longitude [size in km (0.3..30) "
                               "[town name]]]\n";
        return 2;
    }
    OsmExtract osm;
    SyntheticTown::addTo(osm, *plan);
    if (!osm.write(args[1])) {
        QTextStream(stderr) << "rovana-map: cannot write " << args[1] << "\n";
        return 1;
    }
    QTextStream(stdout) << args[1] << ": " << osm.nodeCount() << " nodes, " << osm.wayCount()
                        << " ways around " << plan->latitude << ", " << plan->longitude << "\n";
    return 0;
}
