#include "log/MapReader.h"

#include "log/MapData.h"

#include <osmium/io/any_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/thread/pool.hpp>

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

// A highway waiting for the locations of its nodes.
struct PendingRoad {
    RoadClass roadClass;
    std::uint32_t name;
    std::size_t firstRef;
    std::size_t refCount;
};

struct NodeLocation {
    osmium::object_id_type id;
    GeoPoint at;
};

// Collects what the map keeps while the buffers go by; nodes and ways may come in any
// order, so the roads get their points only at the end.
class Collector {
public:
    void node(const osmium::Node &node)
    {
        const osmium::Location location = node.location();
        if (!location.valid())
            return;
        const GeoPoint at{location.y(), location.x()};
        m_nodes.push_back({node.id(), at});
        const auto kind = placeKindOf(tag(node, "place"));
        if (!kind)
            return;
        const std::uint32_t name = m_data->addName(QString::fromUtf8(tag(node, "name")));
        if (name != MapData::NoName)
            m_data->addPlace(*kind, name, at);
    }

    void way(const osmium::Way &way)
    {
        const auto roadClass = roadClassOf(tag(way, "highway"));
        if (!roadClass || std::string_view(tag(way, "area")) == "yes")
            return;
        std::string_view name = tag(way, "name");
        if (name.empty())
            name = tag(way, "ref");
        const std::size_t first = m_refs.size();
        for (const osmium::NodeRef &ref : way.nodes())
            m_refs.push_back(ref.ref());
        m_pending.push_back(
            {*roadClass, m_data->addName(QString::fromUtf8(name.data(), qsizetype(name.size()))),
             first, m_refs.size() - first});
    }

    std::shared_ptr<MapData> finish()
    {
        std::stable_sort(m_nodes.begin(), m_nodes.end(),
                         [](const NodeLocation &a, const NodeLocation &b) { return a.id < b.id; });
        std::vector<GeoPoint> points;
        for (const PendingRoad &road : m_pending) {
            points.clear();
            for (std::size_t i = 0; i < road.refCount; ++i)
                if (const GeoPoint *at = find(m_refs[road.firstRef + i]))
                    points.push_back(*at);
            m_data->addRoad(road.roadClass, road.name, points);
        }
        m_data->buildIndex();
        return std::move(m_data);
    }

private:
    static const char *tag(const osmium::OSMObject &object, const char *key)
    {
        return object.tags().get_value_by_key(key, "");
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
        osmium::io::Reader reader(file,
                                  osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
                                  osmium::io::read_meta::no, pool);
        Collector collector;
        while (osmium::memory::Buffer buffer = reader.read()) {
            if (stop)
                return {nullptr, QStringLiteral("stopped")};
            for (const osmium::OSMEntity &entity : buffer.select<osmium::OSMEntity>()) {
                if (entity.type() == osmium::item_type::node)
                    collector.node(static_cast<const osmium::Node &>(entity));
                else if (entity.type() == osmium::item_type::way)
                    collector.way(static_cast<const osmium::Way &>(entity));
            }
        }
        reader.close();
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
