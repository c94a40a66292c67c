#include "SyntheticCountry.h"

#include <osmium/builder/attr.hpp>
#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/io/header.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>

#include <QFile>

#include <cmath>
#include <exception>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace osmium::builder::attr;
using Id = osmium::object_id_type;

constexpr double MetresPerDegree = 111319.49;
constexpr std::size_t BufferBytes = 4 << 20;

// Writes buffers as they fill.
class Sink {
public:
    explicit Sink(osmium::io::Writer &writer) : m_writer(writer) {}
    osmium::memory::Buffer &buffer()
    {
        if (m_buffer.committed() > BufferBytes - (64 << 10)) {
            m_writer(std::move(m_buffer));
            m_buffer = osmium::memory::Buffer(BufferBytes, osmium::memory::Buffer::auto_grow::yes);
        }
        return m_buffer;
    }
    void flush() { m_writer(std::move(m_buffer)); }

private:
    osmium::io::Writer &m_writer;
    osmium::memory::Buffer m_buffer{BufferBytes, osmium::memory::Buffer::auto_grow::yes};
};

// Node ids: the crossings row by row, then the points along the east-west blocks, then
// those along the north-south blocks, then the boundary corners and the places.
class Grid {
public:
    explicit Grid(const SyntheticCountry::Plan &plan) : m_plan(plan), m_n(plan.streets) {}

    Id crossing(int row, int column) const { return Id(row) * m_n + column + 1; }
    Id alongRow(int row, int block, int point) const
    {
        return Id(m_n) * m_n + 1 + (Id(row) * (m_n - 1) + block) * m_plan.pointsPerBlock + point;
    }
    Id alongColumn(int column, int block, int point) const
    {
        return alongRow(0, 0, 0) + Id(m_n) * (m_n - 1) * m_plan.pointsPerBlock +
               (Id(column) * (m_n - 1) + block) * m_plan.pointsPerBlock + point;
    }
    Id afterGrid() const { return alongColumn(m_n, 0, 0); }

    osmium::Location at(double north, double east) const
    {
        const double lat = m_plan.latitude + north / MetresPerDegree;
        const double lon =
            m_plan.longitude + east / (MetresPerDegree * std::cos(lat * std::numbers::pi / 180.0));
        return {lon, lat};
    }

private:
    const SyntheticCountry::Plan &m_plan;
    int m_n;
};

const char *classOf(int street, const SyntheticCountry::Plan &plan)
{
    if (street % (plan.cityEvery / 2) == plan.cityEvery / 4)
        return "motorway";
    if (street % plan.townEvery == plan.townEvery / 2)
        return "primary";
    if (street % 5 == 0)
        return "secondary";
    return "residential";
}

void writeNodes(Sink &sink, const Grid &grid, const SyntheticCountry::Plan &plan,
                SyntheticCountry::Written &written)
{
    const int n = plan.streets;
    const double s = plan.spacingMetres;
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column) {
            osmium::builder::add_node(sink.buffer(), _id(grid.crossing(row, column)), _version(1),
                                      _location(grid.at(row * s, column * s)));
            ++written.nodes;
        }
    const int k = plan.pointsPerBlock;
    for (int row = 0; row < n; ++row)
        for (int block = 0; block + 1 < n; ++block)
            for (int p = 0; p < k; ++p) {
                const double east = (block + double(p + 1) / (k + 1)) * s;
                osmium::builder::add_node(sink.buffer(), _id(grid.alongRow(row, block, p)),
                                          _version(1), _location(grid.at(row * s, east)));
                ++written.nodes;
            }
    for (int column = 0; column < n; ++column)
        for (int block = 0; block + 1 < n; ++block)
            for (int p = 0; p < k; ++p) {
                const double north = (block + double(p + 1) / (k + 1)) * s;
                osmium::builder::add_node(sink.buffer(), _id(grid.alongColumn(column, block, p)),
                                          _version(1), _location(grid.at(north, column * s)));
                ++written.nodes;
            }
}

} // namespace

void SyntheticCountry::crossing(const Plan &plan, int row, int column, double &latitude,
                                double &longitude)
{
    const osmium::Location l = Grid(plan).at(row * plan.spacingMetres, column * plan.spacingMetres);
    latitude = l.lat();
    longitude = l.lon();
}

bool SyntheticCountry::write(const QString &path, const Plan &plan, Written &written)
{
    try {
        const Grid grid(plan);
        osmium::io::Header header;
        header.set("generator", "rovana-map");
        osmium::io::Writer writer(QFile::encodeName(path).toStdString(), header,
                                  osmium::io::overwrite::allow);
        Sink sink(writer);
        writeNodes(sink, grid, plan, written);
        const int n = plan.streets;
        const double s = plan.spacingMetres;
        // Places, and the corners of the towns' boundaries.
        Id next = grid.afterGrid();
        struct Town {
            int row, column;
            Id corners[4];
        };
        std::vector<Town> towns;
        for (int row = plan.townEvery / 2; row < n; row += plan.townEvery)
            for (int column = plan.townEvery / 2; column < n; column += plan.townEvery) {
                const bool city = row % plan.cityEvery == plan.cityEvery / 2 &&
                                  column % plan.cityEvery == plan.cityEvery / 2;
                const std::string name =
                    (city ? "City " : "Town ") + std::to_string(row) + "-" + std::to_string(column);
                osmium::builder::add_node(sink.buffer(), _id(next++), _version(1),
                                          _location(grid.at(row * s + s / 2, column * s + s / 2)),
                                          _tag("place", city ? "city" : "town"),
                                          _tag("name", name));
                Town town{row, column, {}};
                const double half = plan.townEvery * s / 2.0;
                const double corners[4][2] = {
                    {-half, -half}, {-half, half}, {half, half}, {half, -half}};
                for (int c = 0; c < 4; ++c) {
                    town.corners[c] = next;
                    osmium::builder::add_node(
                        sink.buffer(), _id(next++), _version(1),
                        _location(grid.at(row * s + corners[c][0], column * s + corners[c][1])));
                }
                written.nodes += 5;
                towns.push_back(town);
            }
        Id way = 1;
        std::vector<Id> nodes;
        const int k = plan.pointsPerBlock;
        auto street = [&](int line, bool eastWest) {
            const std::string name =
                (eastWest ? "Row " : "Column ") + std::to_string(line) + " Street";
            const char *highway = classOf(line, plan);
            for (int first = 0; first + 1 < n; first += plan.blocksPerWay) {
                nodes.clear();
                const int last = std::min(n - 1, first + plan.blocksPerWay);
                for (int block = first; block < last; ++block) {
                    nodes.push_back(eastWest ? grid.crossing(line, block)
                                             : grid.crossing(block, line));
                    for (int p = 0; p < k; ++p)
                        nodes.push_back(eastWest ? grid.alongRow(line, block, p)
                                                 : grid.alongColumn(line, block, p));
                }
                nodes.push_back(eastWest ? grid.crossing(line, last) : grid.crossing(last, line));
                osmium::builder::add_way(sink.buffer(), _id(way++), _version(1), _nodes(nodes),
                                         _tag("highway", highway), _tag("name", name));
                ++written.ways;
            }
        };
        for (int row = 0; row < n; ++row)
            street(row, true);
        for (int column = 0; column < n; ++column)
            street(column, false);
        for (const Town &town : towns) {
            const std::string name =
                "Town " + std::to_string(town.row) + "-" + std::to_string(town.column);
            const std::vector<Id> ring{town.corners[0], town.corners[1], town.corners[2],
                                       town.corners[3], town.corners[0]};
            osmium::builder::add_way(sink.buffer(), _id(way++), _version(1), _nodes(ring),
                                     _tag("boundary", "administrative"), _tag("admin_level", "8"),
                                     _tag("name", name));
            ++written.ways;
        }
        sink.flush();
        writer.close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
