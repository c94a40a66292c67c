#include "log/MapReader.h"

#include "log/Coastline.h"
#include "log/MapData.h"
#include "log/OsmiumAreas.h"
#include "log/OsmTags.h"
#include "log/RelationPass.h"

#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/tags/tags_filter.hpp>
#include <osmium/thread/pool.hpp>
#include <osmium/visitor.hpp>

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

// A highway, railway, river or piece of coastline waiting for the locations of its nodes.
struct PendingRoad {
    std::optional<RoadClass> roadClass; // none: coastline
    std::uint32_t name;
    std::uint32_t ref;
    RoadLevel level;
    std::size_t firstRef;
    std::size_t refCount;
};

using LocationIndex =
    osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using Locations = osmium::handler::NodeLocationsForWays<LocationIndex>;

const char *tagOf(const osmium::OSMObject &object, const char *key)
{
    return OsmTags::tag(object, key);
}

struct NodeLocation {
    osmium::object_id_type id;
    GeoPoint at;
};

// Collects what the map keeps while the buffers go by; nodes and ways may come in any
// order, so the roads get their points only at the end.
class Collector : public osmium::handler::Handler {
public:
    void node(const osmium::Node &node)
    {
        const osmium::Location location = node.location();
        if (!location.valid())
            return;
        const GeoPoint at{location.y(), location.x()};
        m_nodes.push_back({node.id(), at});
        takeBounds(at);
        const auto kind = placeKindOf(tag(node, "place"));
        if (!kind)
            return;
        const std::uint32_t name = m_data->addName(QString::fromUtf8(tag(node, "name")));
        if (name != MapData::NoName)
            m_data->addPlace(*kind, name, at);
    }

    void way(const osmium::Way &way)
    {
        if (std::string_view(tag(way, "natural")) == "coastline") {
            keep(way, std::nullopt, MapData::NoName, MapData::NoName);
            return;
        }
        if (std::string_view(tag(way, "area")) == "yes")
            return;
        if (const auto line = lineClassOf(tag(way, "railway"), tag(way, "waterway"))) {
            keep(way, line, MapData::NoName, MapData::NoName);
            return;
        }
        const auto roadClass = roadClassOf(tag(way, "highway"));
        if (!roadClass)
            return;
        const std::uint32_t ref = nameOf(tag(way, "ref"));
        const std::uint32_t name = tag(way, "name")[0] ? nameOf(tag(way, "name")) : ref;
        keep(way, roadClass, name, isMajorRoad(*roadClass) ? ref : MapData::NoName);
    }

    // An assembled area; one from a relation without rings could not be assembled.
    void area(const osmium::Area &area)
    {
        std::uint8_t adminLevel = 0;
        const auto kind = areaKindOf(
            [&](const char *key) { return std::string_view(tag(area, key)); }, adminLevel);
        const bool empty = area.num_rings().first == 0;
        if (!area.from_way() && empty)
            ++m_brokenAreas;
        if (!kind || empty)
            return;
        std::vector<std::vector<GeoPoint>> rings;
        for (const osmium::OuterRing &outer : area.outer_rings()) {
            rings.push_back(pointsOf(outer));
            for (const osmium::InnerRing &inner : area.inner_rings(outer))
                rings.push_back(pointsOf(inner));
        }
        m_data->addArea(*kind, nameOf(tag(area, "name")), adminLevel, rings);
    }

    // The box of the extract as its header gives it.
    void setExtractBox(const osmium::Box &box)
    {
        if (box.valid())
            m_extractBox = GeoBox{box.bottom_left().lat(), box.bottom_left().lon(),
                                  box.top_right().lat(), box.top_right().lon()};
    }

    // Relations left waiting for members the extract doesn't hold.
    void countIncomplete(std::size_t count) { m_brokenAreas += int(count); }

    std::shared_ptr<MapData> finish()
    {
        std::stable_sort(m_nodes.begin(), m_nodes.end(),
                         [](const NodeLocation &a, const NodeLocation &b) { return a.id < b.id; });
        std::vector<GeoPoint> points;
        Coastline coast;
        for (const PendingRoad &road : m_pending) {
            points.clear();
            for (std::size_t i = 0; i < road.refCount; ++i)
                if (const GeoPoint *at = find(m_refs[road.firstRef + i]))
                    points.push_back(*at);
            if (road.roadClass)
                m_data->addRoad(*road.roadClass, road.name, points, road.ref, road.level);
            else
                coast.addWay(points);
        }
        if (!coast.isEmpty())
            m_data->addArea(AreaKind::Sea, MapData::NoName, 0,
                            coast.seaWithin(m_extractBox.value_or(m_nodeBounds)));
        m_data->setBrokenAreas(m_brokenAreas);
        m_data->buildIndex();
        return std::move(m_data);
    }

private:
    static const char *tag(const osmium::OSMObject &object, const char *key)
    {
        return tagOf(object, key);
    }

    std::uint32_t nameOf(std::string_view text)
    {
        return m_data->addName(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }

    void keep(const osmium::Way &way, std::optional<RoadClass> roadClass, std::uint32_t name,
              std::uint32_t ref)
    {
        const std::size_t first = m_refs.size();
        for (const osmium::NodeRef &node : way.nodes())
            m_refs.push_back(node.ref());
        m_pending.push_back(
            {roadClass, name, ref, OsmTags::levelOf(way), first, m_refs.size() - first});
    }

    template <typename RingType> static std::vector<GeoPoint> pointsOf(const RingType &ring)
    {
        std::vector<GeoPoint> points;
        points.reserve(ring.size());
        for (const osmium::NodeRef &node : ring)
            points.push_back({node.location().y(), node.location().x()});
        return points;
    }

    void takeBounds(GeoPoint at)
    {
        if (m_nodes.size() == 1) {
            m_nodeBounds = {at.latitude(), at.longitude(), at.latitude(), at.longitude()};
            return;
        }
        m_nodeBounds.south = std::min(m_nodeBounds.south, at.latitude());
        m_nodeBounds.west = std::min(m_nodeBounds.west, at.longitude());
        m_nodeBounds.north = std::max(m_nodeBounds.north, at.latitude());
        m_nodeBounds.east = std::max(m_nodeBounds.east, at.longitude());
    }

    // Nodes missing from a cut extract are left out of their road.
    const GeoPoint *find(osmium::object_id_type id) const
    {
        const auto it =
            std::lower_bound(m_nodes.begin(), m_nodes.end(), id,
                             [](const NodeLocation &node, osmium::object_id_type wanted) {
                                 return node.id < wanted;
                             });
        return it != m_nodes.end() && it->id == id ? &it->at : nullptr;
    }

    std::shared_ptr<MapData> m_data = std::make_shared<MapData>();
    std::vector<NodeLocation> m_nodes;
    std::vector<osmium::object_id_type> m_refs;
    std::vector<PendingRoad> m_pending;
    GeoBox m_nodeBounds;
    std::optional<GeoBox> m_extractBox;
    int m_brokenAreas = 0;
};

// The osmium format name of the data that starts with these bytes.
std::string formatOf(const QByteArray &head)
{
    static constexpr std::array<char, 3> Bom{'\xEF', '\xBB', '\xBF'};
    QByteArray text = head.startsWith(QByteArray(Bom.data(), Bom.size())) ? head.mid(3) : head;
    text = text.trimmed();
    if (text.startsWith('<'))
        return "osm";
    if (head.startsWith("\x1F\x8B"))
        return "osm.gz";
    if (head.startsWith("BZh"))
        return "osm.bz2";
    return "pbf";
}

MapReader::Result read(const osmium::io::File &file, const std::atomic<bool> &stop)
{
    try {
        // One worker of our own instead of the shared pool: its thread ends with the read.
        osmium::thread::Pool pool(1);
        osmium::area::Assembler::config_type config;
        config.ignore_invalid_locations = true; // nodes missing from a cut extract
        AreaManager areas(config, OsmTags::areaFilter());
        if (!RelationPass::read(file, pool, areas, stop))
            return {nullptr, QStringLiteral("stopped")};
        LocationIndex index;
        Locations locations(index);
        locations.ignore_errors();
        Collector collector;
        auto &assembled = areas.handler([&](osmium::memory::Buffer &&buffer) {
            for (const osmium::Area &area : buffer.select<osmium::Area>())
                collector.area(area);
        });
        osmium::io::Reader reader(file,
                                  osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
                                  osmium::io::read_meta::no, pool);
        collector.setExtractBox(reader.header().box());
        while (osmium::memory::Buffer buffer = reader.read()) {
            if (stop)
                return {nullptr, QStringLiteral("stopped")};
            osmium::apply(buffer, locations, collector, assembled);
        }
        reader.close();
        collector.countIncomplete(areas.relations_database().count_relations());
        std::shared_ptr<MapData> data = collector.finish();
        if (data->isEmpty())
            return {nullptr, QStringLiteral("no roads or places")};
        return {std::move(data), {}};
    } catch (const std::exception &e) {
        return {nullptr, QString::fromUtf8(e.what())};
    } catch (...) {
        return {nullptr, QStringLiteral("unreadable map data")};
    }
}

} // namespace

MapReader::Result MapReader::readFile(const QString &path, const std::atomic<bool> &stop)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, file.errorString()};
    const QByteArray head = file.read(64);
    file.close();
    return read(osmium::io::File(QFile::encodeName(path).toStdString(), formatOf(head)), stop);
}

MapReader::Result MapReader::readXml(const char *bytes, std::size_t size)
{
    const std::atomic<bool> never{false};
    return read(osmium::io::File(bytes, size, "osm"), never);
}
