#include "support/OsmExtract.h"

#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>
#include <osmium/thread/pool.hpp>

#include <QFile>

namespace {

QByteArray escaped(const QString &text) { return text.toHtmlEscaped().toUtf8(); }

void appendTags(QByteArray &xml, const OsmExtract::Tags &tags)
{
    for (const auto &[key, value] : tags)
        xml += "    <tag k=\"" + escaped(key) + "\" v=\"" + escaped(value) + "\"/>\n";
}

void addTags(osmium::memory::Buffer &buffer, osmium::builder::Builder &parent,
             const OsmExtract::Tags &tags)
{
    osmium::builder::TagListBuilder builder(buffer, &parent);
    for (const auto &[key, value] : tags)
        builder.add_tag(key.toStdString(), value.toStdString());
}

} // namespace

OsmExtract::Id OsmExtract::node(double latitude, double longitude, const Tags &tags)
{
    const Id id = Id(m_nodes.size()) + 1;
    m_nodes.push_back({id, latitude, longitude, tags});
    return id;
}

OsmExtract::Id OsmExtract::way(const std::vector<Id> &nodes, const Tags &tags)
{
    const Id id = Id(m_ways.size()) + 1;
    m_ways.push_back({id, nodes, tags});
    return id;
}

OsmExtract::Id OsmExtract::road(const QString &highway, const QString &name,
                                const std::vector<LatLon> &points)
{
    std::vector<Id> nodes;
    for (const LatLon &p : points)
        nodes.push_back(node(p.latitude, p.longitude));
    Tags tags{{QStringLiteral("highway"), highway}};
    if (!name.isEmpty())
        tags.append({QStringLiteral("name"), name});
    return way(nodes, tags);
}

OsmExtract::Id OsmExtract::place(const QString &kind, const QString &name, double latitude,
                                 double longitude)
{
    return node(latitude, longitude,
                {{QStringLiteral("place"), kind}, {QStringLiteral("name"), name}});
}

OsmExtract::Id OsmExtract::ring(const std::vector<LatLon> &points, const Tags &tags)
{
    std::vector<Id> nodes;
    for (const LatLon &p : points)
        nodes.push_back(node(p.latitude, p.longitude));
    nodes.push_back(nodes.front());
    return way(nodes, tags);
}

OsmExtract::Id OsmExtract::relation(const std::vector<Member> &members, const Tags &tags)
{
    const Id id = Id(m_relations.size()) + 1;
    m_relations.push_back({id, members, tags});
    return id;
}

QByteArray OsmExtract::toXml() const
{
    QByteArray xml = "<?xml version='1.0' encoding='UTF-8'?>\n"
                     "<osm version=\"0.6\" generator=\"rovana-tests\">\n";
    for (const Node &n : m_nodes) {
        xml += "  <node id=\"" + QByteArray::number(n.id) + "\" lat=\"" +
               QByteArray::number(n.latitude, 'f', 7) + "\" lon=\"" +
               QByteArray::number(n.longitude, 'f', 7) + "\"";
        if (n.tags.isEmpty()) {
            xml += "/>\n";
            continue;
        }
        xml += ">\n";
        appendTags(xml, n.tags);
        xml += "  </node>\n";
    }
    for (const Way &w : m_ways) {
        xml += "  <way id=\"" + QByteArray::number(w.id) + "\">\n";
        for (const Id ref : w.nodes)
            xml += "    <nd ref=\"" + QByteArray::number(ref) + "\"/>\n";
        appendTags(xml, w.tags);
        xml += "  </way>\n";
    }
    for (const Relation &r : m_relations) {
        xml += "  <relation id=\"" + QByteArray::number(r.id) + "\">\n";
        for (const Member &m : r.members)
            xml += "    <member type=\"way\" ref=\"" + QByteArray::number(m.way) + "\" role=\"" +
                   escaped(m.role) + "\"/>\n";
        appendTags(xml, r.tags);
        xml += "  </relation>\n";
    }
    xml += "</osm>\n";
    return xml;
}

bool OsmExtract::write(const QString &path) const
{
    if (path.endsWith(QStringLiteral(".pbf")))
        return writePbf(path);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(toXml()) >= 0;
}

bool OsmExtract::writePbf(const QString &path) const
{
    try {
        osmium::thread::Pool pool(1);
        osmium::io::Header header;
        header.set("generator", "rovana-tests");
        osmium::io::Writer writer(osmium::io::File(QFile::encodeName(path).toStdString(), "pbf"),
                                  header, osmium::io::overwrite::allow, pool);
        osmium::memory::Buffer buffer(1024 * 1024, osmium::memory::Buffer::auto_grow::yes);
        auto flush = [&] {
            if (buffer.committed() > 512 * 1024) {
                writer(std::move(buffer));
                buffer =
                    osmium::memory::Buffer(1024 * 1024, osmium::memory::Buffer::auto_grow::yes);
            }
        };
        for (const Node &n : m_nodes) {
            {
                osmium::builder::NodeBuilder builder(buffer);
                builder.set_id(n.id).set_version(1).set_location(
                    osmium::Location(n.longitude, n.latitude));
                addTags(buffer, builder, n.tags);
            }
            buffer.commit();
            flush();
        }
        for (const Way &w : m_ways) {
            {
                osmium::builder::WayBuilder builder(buffer);
                builder.set_id(w.id).set_version(1);
                {
                    osmium::builder::WayNodeListBuilder refs(buffer, &builder);
                    for (const Id ref : w.nodes)
                        refs.add_node_ref(ref);
                }
                addTags(buffer, builder, w.tags);
            }
            buffer.commit();
            flush();
        }
        for (const Relation &r : m_relations) {
            {
                osmium::builder::RelationBuilder builder(buffer);
                builder.set_id(r.id).set_version(1);
                {
                    osmium::builder::RelationMemberListBuilder members(buffer, &builder);
                    for (const Member &m : r.members)
                        members.add_member(osmium::item_type::way, m.way,
                                           m.role.toStdString().c_str());
                }
                addTags(buffer, builder, r.tags);
            }
            buffer.commit();
            flush();
        }
        writer(std::move(buffer));
        writer.close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
