#include "log/MapImporter.h"

#include "log/AreaKind.h"
#include "log/Coastline.h"
#include "log/MapFileFormat.h"
#include "log/MapFileWriter.h"
#include "log/MapStyle.h"
#include "log/OsmiumAreas.h"
#include "log/OsmTags.h"
#include "log/RelationPass.h"
#include "log/RoadClass.h"
#include "log/TileCutter.h"
#include "log/TileEncoder.h"

#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/dense_file_array.hpp>
#include <osmium/index/map/sparse_file_array.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/thread/pool.hpp>
#include <osmium/visitor.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace F = MapFileFormat;
using LocationIndex = osmium::index::map::Map<osmium::unsigned_object_id_type, osmium::Location>;
using Locations = osmium::handler::NodeLocationsForWays<LocationIndex>;

const char *tag(const osmium::OSMObject &object, const char *key)
{
    return OsmTags::tag(object, key);
}

double toleranceOf(const F::BandPlan &band)
{
    // Half a pixel at the band's closest view; the look-up's band stays exact.
    return (band.role & F::LookUpRoads) ? 0.0 : band.from / 2.0;
}

bool keepsRoad(const F::BandPlan &band, RoadClass roadClass)
{
    if (band.role & F::LookUpRoads)
        return true;
    return (band.role & F::Drawn) && MapStyle::roadShownUpTo(roadClass) > band.from;
}

bool keepsArea(const F::BandPlan &band, AreaKind kind)
{
    if (band.role & F::LookUpRoads)
        return true;
    return (band.role & F::Drawn) && kind != AreaKind::Boundary &&
           MapStyle::areaShownUpTo(kind) > band.from;
}

bool keepsPlace(const F::BandPlan &band, PlaceKind kind)
{
    if (band.role & (F::LookUpPlaces | F::LookUpRoads))
        return true;
    return (band.role & F::Drawn) && MapStyle::placeShownUpTo(kind) > band.from;
}

// Cuts each kept feature into the tiles of every band that shows it.
class TileFeeder {
public:
    explicit TileFeeder(MapFileWriter &writer) : m_writer(writer) {}

    void road(RoadClass roadClass, RoadLevel level, std::string_view name, std::string_view ref,
              const std::vector<GeoPoint> &points)
    {
        if (points.size() < 2)
            return;
        const std::uint32_t feature = m_features++;
        for (const GeoPoint &p : points)
            m_writer.takeBounds(p);
        for (std::size_t b = 0; b < F::Bands.size(); ++b) {
            const F::BandPlan &band = F::Bands[b];
            if (!keepsRoad(band, roadClass))
                continue;
            const std::vector<GeoPoint> simple = TileCutter::simplify(points, toleranceOf(band));
            for (const TileCutter::LineRun &run : TileCutter::splitLine(simple, band.tileUnits)) {
                m_bytes.clear();
                const auto part = std::span<const GeoPoint>(simple).subspan(
                    run.firstSegment, run.lastSegment - run.firstSegment + 2);
                TileEncoder::road(m_bytes, feature, run.firstSegment, roadClass, level, name, ref,
                                  part);
                m_writer.add(b, run.x, run.y, m_bytes);
            }
        }
    }

    void area(AreaKind kind, std::uint8_t adminLevel, std::string_view name,
              const std::vector<std::vector<GeoPoint>> &rings)
    {
        ++m_features;
        if (kind == AreaKind::Boundary)
            m_writer.setFlags(F::HasBoundaries);
        for (std::size_t b = 0; b < F::Bands.size(); ++b) {
            const F::BandPlan &band = F::Bands[b];
            if (!keepsArea(band, kind))
                continue;
            std::vector<std::vector<GeoPoint>> simple;
            for (const auto &ring : rings)
                if (auto s = TileCutter::simplify(ring, toleranceOf(band)); s.size() >= 4)
                    simple.push_back(std::move(s));
            for (const TileCutter::AreaPiece &piece :
                 TileCutter::clipRings(simple, band.tileUnits)) {
                m_bytes.clear();
                TileEncoder::area(m_bytes, kind, adminLevel, name, piece.rings);
                m_writer.add(b, piece.x, piece.y, m_bytes);
            }
        }
    }

    void place(PlaceKind kind, std::string_view name, GeoPoint at)
    {
        ++m_features;
        m_writer.takeBounds(at);
        for (std::size_t b = 0; b < F::Bands.size(); ++b) {
            const F::BandPlan &band = F::Bands[b];
            if (!keepsPlace(band, kind))
                continue;
            m_bytes.clear();
            TileEncoder::place(m_bytes, kind, name, at);
            m_writer.add(b, F::column(at.lon, band.tileUnits), F::row(at.lat, band.tileUnits),
                         m_bytes);
        }
    }

    std::uint64_t features() const { return m_features; }

private:
    MapFileWriter &m_writer;
    std::string m_bytes;
    std::uint32_t m_features = 0;
};

// Takes what the map keeps as the buffers go by: the ways already carry their nodes'
// locations from the index on disk.
class Collector : public osmium::handler::Handler {
public:
    Collector(TileFeeder &feeder, MapImporter::Progress &counts)
        : m_feeder(feeder), m_counts(counts)
    {
    }

    void node(const osmium::Node &node)
    {
        ++m_counts.nodes;
        const osmium::Location location = node.location();
        if (!location.valid() || node.tags().empty())
            return;
        const auto kind = placeKindOf(tag(node, "place"));
        const std::string_view name = tag(node, "name");
        if (kind && !name.empty())
            m_feeder.place(*kind, name, {location.y(), location.x()});
    }

    void way(const osmium::Way &way)
    {
        ++m_counts.ways;
        if (std::string_view(tag(way, "natural")) == "coastline") {
            m_coast.addWay(pointsOf(way));
            return;
        }
        if (std::string_view(tag(way, "area")) == "yes")
            return;
        if (const auto line = lineClassOf(tag(way, "railway"), tag(way, "waterway"))) {
            m_feeder.road(*line, OsmTags::levelOf(way), {}, {}, pointsOf(way));
            return;
        }
        const auto roadClass = roadClassOf(tag(way, "highway"));
        if (!roadClass)
            return;
        const std::string_view ref = tag(way, "ref");
        const std::string_view name = tag(way, "name")[0] ? tag(way, "name") : ref;
        m_feeder.road(*roadClass, OsmTags::levelOf(way), name,
                      isMajorRoad(*roadClass) ? ref : std::string_view(), pointsOf(way));
    }

    void area(const osmium::Area &area)
    {
        std::uint8_t adminLevel = 0;
        const auto kind = areaKindOf(
            [&](const char *key) { return std::string_view(tag(area, key)); }, adminLevel);
        if (!kind || area.num_rings().first == 0)
            return;
        std::vector<std::vector<GeoPoint>> rings;
        for (const osmium::OuterRing &outer : area.outer_rings()) {
            rings.push_back(ringOf(outer));
            for (const osmium::InnerRing &inner : area.inner_rings(outer))
                rings.push_back(ringOf(inner));
        }
        m_feeder.area(*kind, adminLevel, tag(area, "name"), rings);
    }

    void setExtractBox(const osmium::Box &box)
    {
        if (box.valid())
            m_extractBox = GeoBox{box.bottom_left().lat(), box.bottom_left().lon(),
                                  box.top_right().lat(), box.top_right().lon()};
    }

    // The sea, once every piece of coastline is in.
    void finish(const GeoBox &nodeBounds)
    {
        if (!m_coast.isEmpty())
            m_feeder.area(AreaKind::Sea, 0, {},
                          m_coast.seaWithin(m_extractBox.value_or(nodeBounds)));
    }

private:
    // Nodes missing from a cut extract are left out of their way.
    static std::vector<GeoPoint> pointsOf(const osmium::Way &way)
    {
        std::vector<GeoPoint> points;
        points.reserve(way.nodes().size());
        for (const osmium::NodeRef &node : way.nodes())
            if (node.location().valid())
                points.push_back({node.location().y(), node.location().x()});
        return points;
    }

    template <typename RingType> static std::vector<GeoPoint> ringOf(const RingType &ring)
    {
        std::vector<GeoPoint> points;
        points.reserve(ring.size());
        for (const osmium::NodeRef &node : ring)
            points.push_back({node.location().y(), node.location().x()});
        return points;
    }

    TileFeeder &m_feeder;
    MapImporter::Progress &m_counts;
    Coastline m_coast;
    std::optional<GeoBox> m_extractBox;
};

// The box of every node, for the sea of an extract whose header names no box.
class NodeBounds : public osmium::handler::Handler {
public:
    void node(const osmium::Node &node)
    {
        const osmium::Location l = node.location();
        if (!l.valid())
            return;
        if (!m_any) {
            m_box = {l.lat(), l.lon(), l.lat(), l.lon()};
            m_any = true;
            return;
        }
        m_box = {std::min(m_box.south, l.lat()), std::min(m_box.west, l.lon()),
                 std::max(m_box.north, l.lat()), std::max(m_box.east, l.lon())};
    }
    GeoBox box() const { return m_box; }

private:
    GeoBox m_box;
    bool m_any = false;
};

double fractionOf(const osmium::io::Reader &reader)
{
    const auto size = reader.file_size();
    return size > 0 ? double(reader.offset()) / double(size) : 0.0;
}

std::unique_ptr<LocationIndex> locationIndex(std::int64_t extractSize, int fd)
{
    if (extractSize >= MapImporter::DenseIndexFrom)
        return std::make_unique<
            osmium::index::map::DenseFileArray<osmium::unsigned_object_id_type, osmium::Location>>(
            fd);
    return std::make_unique<
        osmium::index::map::SparseFileArray<osmium::unsigned_object_id_type, osmium::Location>>(fd);
}

class FileDescriptor {
public:
    explicit FileDescriptor(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC,
                      0600))
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

MapImporter::Result MapImporter::run(const QString &extract, const QString &output,
                                     const std::atomic<bool> &stop, const Report &report)
{
    Result result;
    const QFileInfo in(extract);
    if (!in.isFile() || !in.isReadable()) {
        result.error = QStringLiteral("cannot read %1").arg(extract);
        return result;
    }
    const QString dir = QFileInfo(output).absolutePath();
    QTemporaryDir work(QDir(dir).filePath(QStringLiteral(".rovana-map-XXXXXX")));
    if (!work.isValid()) {
        result.error = QStringLiteral("cannot make a work directory in %1").arg(dir);
        return result;
    }
    QDir(work.path()).mkdir(QStringLiteral("spill"));
    Progress &counts = result.counts;
    try {
        MapFileWriter writer(output, QDir(work.path()).filePath(QStringLiteral("spill")));
        TileFeeder feeder(writer);
        const osmium::io::File file(QFile::encodeName(extract).toStdString());
        osmium::thread::Pool pool(1);
        osmium::area::Assembler::config_type config;
        config.ignore_invalid_locations = true;
        AreaManager areas(config, OsmTags::areaFilter());
        counts.pass = 1;
        const auto relationsRead = [&](const osmium::io::Reader &reader, std::uint64_t relations) {
            counts.relations = relations;
            counts.done = fractionOf(reader);
            if (report)
                report(counts);
        };
        if (!RelationPass::read(file, pool, areas, stop, relationsRead))
            throw std::runtime_error("stopped");
        FileDescriptor indexFile(QDir(work.path()).filePath(QStringLiteral("nodes")));
        if (indexFile.fd() < 0)
            throw std::runtime_error("cannot make the node index");
        const auto index = locationIndex(in.size(), indexFile.fd());
        Locations locations(*index);
        locations.ignore_errors();
        Collector collector(feeder, counts);
        NodeBounds bounds;
        auto &assembled = areas.handler([&](osmium::memory::Buffer &&buffer) {
            for (const osmium::Area &area : buffer.select<osmium::Area>())
                collector.area(area);
        });
        counts.pass = 2;
        counts.done = 0.0;
        {
            osmium::io::Reader reader(file,
                                      osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
                                      osmium::io::read_meta::no, pool);
            collector.setExtractBox(reader.header().box());
            while (osmium::memory::Buffer buffer = reader.read()) {
                if (stop)
                    throw std::runtime_error("stopped");
                osmium::apply(buffer, bounds, locations, collector, assembled);
                counts.done = fractionOf(reader);
                if (report)
                    report(counts);
            }
            reader.close();
        }
        collector.finish(bounds.box());
        result.features = feeder.features();
        if (result.features == 0)
            throw std::runtime_error("no roads or places");
        counts.pass = 3;
        counts.done = 0.0;
        const bool written = writer.finish(stop, [&](std::uint64_t done, std::uint64_t total) {
            counts.done = total > 0 ? double(done) / double(total) : 1.0;
            if (report)
                report(counts);
        });
        if (!written) {
            result.error = writer.error();
            return result;
        }
        result.tiles = writer.tileCount();
        result.bytes = writer.fileBytes();
        result.ok = true;
    } catch (const std::exception &e) {
        result.error = QString::fromUtf8(e.what());
    }
    return result;
}
