#include "support/SyntheticTown.h"

#include <QStringList>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double MetresPerDegree = 111319.49;

const QStringList Trees{"Alder",  "Birch", "Cedar", "Elm",    "Hazel", "Juniper", "Larch",
                        "Linden", "Maple", "Oak",   "Poplar", "Rowan", "Spruce",  "Willow"};
const QStringList Rows{"Street", "Lane", "Row", "Close"};
const QStringList Columns{"Road", "Avenue", "Way", "Walk"};

QString streetName(int index, const QStringList &kinds)
{
    const int tree = index % int(Trees.size());
    const int kind = (index / int(Trees.size())) % int(kinds.size());
    const int round = index / int(Trees.size() * kinds.size());
    QString name = Trees[tree] + QLatin1Char(' ') + kinds[kind];
    return round == 0 ? name : name + QLatin1Char(' ') + QString::number(round + 1);
}

QString highwayOf(int index, int middle)
{
    if (index == middle)
        return QStringLiteral("primary");
    if (index == middle / 2)
        return QStringLiteral("secondary");
    return index % 4 == 0 ? QStringLiteral("tertiary") : QStringLiteral("residential");
}

// The nodes of the town's grid: crossings shared by the streets that meet there.
class Grid {
public:
    Grid(OsmExtract &extract, const SyntheticTown::Plan &plan)
        : m_extract(extract), m_plan(plan), m_count(SyntheticTown::streetCount(plan))
    {
        for (int row = 0; row < m_count; ++row)
            for (int column = 0; column < m_count; ++column) {
                const auto at = SyntheticTown::crossing(plan, row, column);
                m_crossings.push_back(extract.node(at.latitude, at.longitude));
            }
    }

    // One street: a row (east-west) or a column (north-south), split into ways.
    void street(bool row, int index)
    {
        const QString name = row ? SyntheticTown::rowName(index) : SyntheticTown::columnName(index);
        const QString highway = highwayOf(index, m_count / 2);
        std::vector<OsmExtract::Id> nodes{crossingOf(row, index, 0)};
        for (int step = 1; step < m_count; ++step) {
            addBends(row, index, step, nodes);
            nodes.push_back(crossingOf(row, index, step));
            if (step % m_plan.blocksPerWay == 0 || step + 1 == m_count) {
                m_extract.way(nodes, {{"highway", highway}, {"name", name}});
                nodes = {nodes.back()};
            }
        }
    }

private:
    OsmExtract::Id crossingOf(bool row, int index, int step) const
    {
        return row ? m_crossings[std::size_t(index * m_count + step)]
                   : m_crossings[std::size_t(step * m_count + index)];
    }

    void addBends(bool row, int index, int step, std::vector<OsmExtract::Id> &nodes)
    {
        const auto a = row ? SyntheticTown::crossing(m_plan, index, step - 1)
                           : SyntheticTown::crossing(m_plan, step - 1, index);
        const auto b = row ? SyntheticTown::crossing(m_plan, index, step)
                           : SyntheticTown::crossing(m_plan, step, index);
        for (int i = 1; i <= m_plan.pointsPerBlock; ++i) {
            const double t = double(i) / (m_plan.pointsPerBlock + 1);
            nodes.push_back(m_extract.node(a.latitude + (b.latitude - a.latitude) * t,
                                           a.longitude + (b.longitude - a.longitude) * t));
        }
    }

    OsmExtract &m_extract;
    const SyntheticTown::Plan &m_plan;
    int m_count;
    std::vector<OsmExtract::Id> m_crossings;
};

void addPlaces(OsmExtract &extract, const SyntheticTown::Plan &plan)
{
    const double half = plan.sizeMetres / 2.0;
    const double dLat = half / MetresPerDegree;
    const double dLon = dLat / std::cos(plan.latitude * std::numbers::pi / 180.0);
    extract.place(plan.sizeMetres > 10000.0 ? "city" : "town", plan.name, plan.latitude,
                  plan.longitude);
    extract.place("suburb", plan.name + " North", plan.latitude + dLat / 2, plan.longitude);
    extract.place("suburb", plan.name + " South", plan.latitude - dLat / 2, plan.longitude);
    extract.place("village", "Eastbrook", plan.latitude, plan.longitude + dLon * 1.6);
    extract.place("village", "Westmoor", plan.latitude, plan.longitude - dLon * 1.6);
    extract.place("hamlet", "Northend", plan.latitude + dLat * 1.5, plan.longitude + dLon);
}

void addMotorway(OsmExtract &extract, const SyntheticTown::Plan &plan)
{
    const int last = SyntheticTown::streetCount(plan) - 1;
    const auto west = SyntheticTown::crossing(plan, 0, 0);
    const auto east = SyntheticTown::crossing(plan, 0, last);
    const double below = 60.0 / MetresPerDegree;
    const OsmExtract::Id a = extract.node(west.latitude - below, west.longitude);
    const OsmExtract::Id b = extract.node(east.latitude - below, east.longitude);
    extract.way({a, b}, {{"highway", "motorway"}, {"ref", "A 7"}});
}

using Rect = std::vector<OsmExtract::LatLon>;

// The corners of a rectangle, counter-clockwise, in metres from the centre.
Rect rectangle(const SyntheticTown::Plan &plan, double south, double west, double north,
               double east)
{
    return {SyntheticTown::offset(plan, south, west), SyntheticTown::offset(plan, south, east),
            SyntheticTown::offset(plan, north, east), SyntheticTown::offset(plan, north, west)};
}

void addLandscape(OsmExtract &extract, const SyntheticTown::Plan &plan)
{
    const double half = SyntheticTown::halfSide(plan);
    const double s = plan.spacingMetres;
    extract.ring(rectangle(plan, -200.0, half + 60.0, 150.0, half + 420.0),
                 {{"natural", "water"}, {"name", "Mill Pond"}});
    // The park fills the block between the second and third streets from the south-west
    // corner; a pond is its hole.
    const double low = -half + s + 12.0;
    const double high = -half + 2.0 * s - 12.0;
    const double middle = (low + high) / 2.0;
    const OsmExtract::Id outer = extract.ring(rectangle(plan, low, low, high, high));
    const OsmExtract::Id inner =
        extract.ring(rectangle(plan, middle - 30.0, middle - 40.0, middle + 30.0, middle + 40.0));
    extract.relation({{outer, "outer"}, {inner, "inner"}},
                     {{"type", "multipolygon"}, {"leisure", "park"}, {"name", "Town Park"}});
    extract.ring(rectangle(plan, middle - 30.0, middle - 40.0, middle + 30.0, middle + 40.0),
                 {{"natural", "water"}});
    const auto south = SyntheticTown::offset(plan, -half - 400.0, -half - 90.0);
    const auto north = SyntheticTown::offset(plan, half + 400.0, -half - 90.0);
    extract.way({extract.node(south.latitude, south.longitude),
                 extract.node(north.latitude, north.longitude)},
                {{"railway", "rail"}});
    const double edge = half + SyntheticTown::BoundaryMargin;
    auto boundary = [&](const QString &name, double west, double east) {
        const OsmExtract::Id way = extract.ring(rectangle(plan, -edge, west, edge, east));
        extract.relation({{way, "outer"}}, {{"type", "boundary"},
                                            {"boundary", "administrative"},
                                            {"admin_level", "8"},
                                            {"name", name}});
    };
    boundary(plan.name, -edge, edge);
    boundary(SyntheticTown::Neighbour, edge, edge + 2.0 * half);
}

} // namespace

double SyntheticTown::halfSide(const Plan &plan)
{
    return (streetCount(plan) - 1) * plan.spacingMetres / 2.0;
}

OsmExtract::LatLon SyntheticTown::offset(const Plan &plan, double north, double east)
{
    const double cosine = std::cos(plan.latitude * std::numbers::pi / 180.0);
    return {plan.latitude + north / MetresPerDegree,
            plan.longitude + east / (MetresPerDegree * cosine)};
}

QString SyntheticTown::rowName(int row) { return streetName(row, Rows); }

QString SyntheticTown::columnName(int column) { return streetName(column, Columns); }

int SyntheticTown::streetCount(const Plan &plan)
{
    return std::max(2, int(plan.sizeMetres / plan.spacingMetres) + 1);
}

OsmExtract::LatLon SyntheticTown::crossing(const Plan &plan, int row, int column)
{
    const double half = (streetCount(plan) - 1) * plan.spacingMetres / 2.0;
    const double north = row * plan.spacingMetres - half;
    const double east = column * plan.spacingMetres - half;
    const double cosine = std::cos(plan.latitude * std::numbers::pi / 180.0);
    return {plan.latitude + north / MetresPerDegree,
            plan.longitude + east / (MetresPerDegree * cosine)};
}

void SyntheticTown::addTo(OsmExtract &extract, const Plan &plan)
{
    Grid grid(extract, plan);
    const int count = streetCount(plan);
    for (int i = 0; i < count; ++i) {
        grid.street(true, i);
        grid.street(false, i);
    }
    addMotorway(extract, plan);
    addPlaces(extract, plan);
    if (plan.landscape)
        addLandscape(extract, plan);
}
