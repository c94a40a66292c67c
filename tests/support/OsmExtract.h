#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <vector>

// A small OpenStreetMap extract made in memory, written as OSM XML or PBF: the map files
// of the tests, the benchmark and the demo.
class OsmExtract {
public:
    using Tags = QList<QPair<QString, QString>>;
    using Id = std::int64_t;
    struct LatLon {
        double latitude;
        double longitude;
    };
    // A way member of a relation.
    struct Member {
        Id way;
        QString role; // "outer", "inner"
    };

    Id node(double latitude, double longitude, const Tags &tags = {});
    Id way(const std::vector<Id> &nodes, const Tags &tags);
    // A highway of the class through new nodes at the points; no name tag for an empty name.
    Id road(const QString &highway, const QString &name, const std::vector<LatLon> &points);
    Id place(const QString &kind, const QString &name, double latitude, double longitude);
    // A closed way through new nodes at the points (the first is repeated at the end).
    Id ring(const std::vector<LatLon> &points, const Tags &tags = {});
    Id relation(const std::vector<Member> &members, const Tags &tags);

    std::size_t nodeCount() const { return m_nodes.size(); }
    std::size_t wayCount() const { return m_ways.size(); }
    std::size_t relationCount() const { return m_relations.size(); }

    QByteArray toXml() const;
    // PBF when the name ends in ".pbf", XML otherwise.
    bool write(const QString &path) const;

private:
    struct Node {
        Id id;
        double latitude;
        double longitude;
        Tags tags;
    };
    struct Way {
        Id id;
        std::vector<Id> nodes;
        Tags tags;
    };

    struct Relation {
        Id id;
        std::vector<Member> members;
        Tags tags;
    };

    bool writePbf(const QString &path) const;

    std::vector<Node> m_nodes;
    std::vector<Way> m_ways;
    std::vector<Relation> m_relations;
};
