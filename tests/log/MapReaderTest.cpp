#include "log/MapReader.h"
#include "log/MapData.h"
#include "support/SyntheticTown.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace MapFiles;

namespace {

const std::atomic<bool> NoStop{false};

MapReader::Result readText(const QByteArray &xml)
{
    return MapReader::readXml(xml.data(), std::size_t(xml.size()));
}

QStringList roadNames(const MapData &data)
{
    QStringList names;
    for (const MapData::Road &road : data.roads())
        names << data.name(road.name);
    return names;
}

} // namespace

TEST(MapReader, KeepsTheRoadsACarUsesWithClassAndName)
{
    const auto result = readText(oneStreet().toXml());
    ASSERT_TRUE(result.data) << result.error.toStdString();
    const MapData &data = *result.data;
    // The footway is left out, the unnamed service road is kept for drawing.
    ASSERT_EQ(data.roads().size(), 2u);
    EXPECT_EQ(roadNames(data), QStringList({"Mill Street", ""}));
    EXPECT_EQ(data.roads()[0].roadClass, RoadClass::Minor);
    EXPECT_EQ(data.roads()[1].roadClass, RoadClass::Service);
    ASSERT_EQ(data.pointsOf(data.roads()[0]).size(), 3u);
    EXPECT_EQ(data.pointsOf(data.roads()[0])[1], GeoPoint::fromDegrees(Lat, Lon));
}

TEST(MapReader, KeepsNamedPlacesOfTheFiveKinds)
{
    OsmExtract osm;
    osm.road("primary", "High Street", {at(0, 0), at(0, 100)});
    for (const char *kind : {"city", "town", "village", "suburb", "hamlet", "locality", "county"})
        osm.place(kind, QStringLiteral("Place %1").arg(kind), Lat, Lon);
    osm.node(Lat, Lon, {{"place", "town"}}); // no name
    const auto result = readText(osm.toXml());
    ASSERT_TRUE(result.data);
    ASSERT_EQ(result.data->places().size(), 5u);
    EXPECT_EQ(result.data->places()[0].kind, PlaceKind::City);
    EXPECT_EQ(result.data->places()[4].kind, PlaceKind::Hamlet);
    EXPECT_EQ(result.data->name(result.data->places()[3].name), "Place suburb");
}

TEST(MapReader, TakesTheNumberOfARoadWithoutName)
{
    OsmExtract osm;
    osm.way({osm.node(Lat, Lon), osm.node(Lat, Lon + 0.01)},
            {{"highway", "motorway"}, {"ref", "A 7"}});
    const auto result = readText(osm.toXml());
    ASSERT_TRUE(result.data);
    EXPECT_EQ(roadNames(*result.data), QStringList({"A 7"}));
}

TEST(MapReader, LeavesOutAreasAndRoadsOfOnePoint)
{
    OsmExtract osm;
    const auto a = osm.node(Lat, Lon), b = osm.node(Lat, Lon + 0.001),
               c = osm.node(Lat + 0.001, Lon);
    osm.way({a, b, c, a}, {{"highway", "pedestrian"}, {"area", "yes"}, {"name", "Square"}});
    osm.way({a, b, c, a}, {{"highway", "service"}, {"area", "yes"}});
    osm.way({a}, {{"highway", "residential"}, {"name", "Stub"}});
    osm.way({a, 999}, {{"highway", "residential"}, {"name", "Cut"}}); // one node missing
    osm.place("village", "Hillside", Lat, Lon);
    const auto result = readText(osm.toXml());
    ASSERT_TRUE(result.data);
    EXPECT_TRUE(result.data->roads().empty());
}

TEST(MapReader, FindsNodesThatComeAfterTheirWay)
{
    const QByteArray xml =
        "<osm version=\"0.6\">"
        "<way id=\"1\"><nd ref=\"20\"/><nd ref=\"10\"/>"
        "<tag k=\"highway\" v=\"primary\"/><tag k=\"name\" v=\"Back Lane\"/></way>"
        "<node id=\"20\" lat=\"48.001\" lon=\"11\"/>"
        "<node id=\"10\" lat=\"48\" lon=\"11\"/></osm>";
    const auto result = readText(xml);
    ASSERT_TRUE(result.data) << result.error.toStdString();
    ASSERT_EQ(result.data->roads().size(), 1u);
    const auto points = result.data->pointsOf(result.data->roads()[0]);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], GeoPoint::fromDegrees(48.001, 11.0));
}

TEST(MapReader, ReadsXmlAndPbfFilesWhateverTheirNames)
{
    TempDir dir;
    const OsmExtract osm = oneStreet();
    ASSERT_TRUE(osm.write(dir.file("real.osm.pbf")));
    ASSERT_TRUE(osm.write(dir.file("real.osm")));
    dir.write("xml-named.osm.pbf", osm.toXml());
    dir.write("with-bom.osm", "\xEF\xBB\xBF" + osm.toXml());
    for (const char *name : {"real.osm.pbf", "real.osm", "xml-named.osm.pbf", "with-bom.osm"}) {
        const auto result = MapReader::readFile(dir.file(name), NoStop);
        ASSERT_TRUE(result.data) << name << ": " << result.error.toStdString();
        EXPECT_EQ(result.data->roads().size(), 2u) << name;
        EXPECT_EQ(result.data->places().size(), 2u) << name;
    }
}

TEST(MapReader, FailsOnMissingEmptyAndCorruptFiles)
{
    TempDir dir;
    dir.write("empty.osm.pbf", "");
    dir.write("empty.osm", "<?xml version='1.0'?>\n<osm version=\"0.6\"></osm>\n");
    QByteArray cut = oneStreet().toXml();
    cut.chop(cut.size() / 3);
    dir.write("cut.osm", cut);
    dir.write("noise.osm.pbf", QByteArray(5000, '\x5A'));
    dir.write("bad.osm", "<osm version=\"0.6\"><node id=\"x\" lat=\"north\"/></osm>");
    dir.write("garbled.osm.pbf", QByteArray::fromHex("0000000d0a094f534d486561646572180a"));
    dir.mkdir("folder.osm");
    for (const char *name : {"missing.osm.pbf", "empty.osm.pbf", "empty.osm", "cut.osm",
                             "noise.osm.pbf", "bad.osm", "garbled.osm.pbf", "folder.osm"}) {
        const auto result = MapReader::readFile(dir.file(name), NoStop);
        EXPECT_FALSE(result.data) << name;
        EXPECT_FALSE(result.error.isEmpty()) << name;
    }
}

TEST(MapReader, StopsWhenAsked)
{
    TempDir dir;
    ASSERT_TRUE(oneStreet().write(dir.file("map.osm")));
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(MapReader::readFile(dir.file("map.osm"), stop).data);
}

TEST(MapReader, IndexesLongRoadsInPieces)
{
    OsmExtract osm;
    std::vector<OsmExtract::LatLon> points;
    for (int i = 0; i <= 40; ++i)
        points.push_back(at(0, i * 50.0));
    osm.road("trunk", "Long Road", points);
    const auto result = readText(osm.toXml());
    ASSERT_TRUE(result.data);
    // 40 segments in pieces of 8: five pieces; a box around the far end meets only one.
    int pieces = 0;
    result.data->forPiecesIn(RoadClass::Trunk, {Lat - 0.001, Lon, Lat + 0.001, Lon + 1},
                             [&](const MapData::Piece &) { ++pieces; });
    EXPECT_EQ(pieces, 5);
    int near = 0;
    const double east = Lon + 1990.0 / MetresPerLon;
    result.data->forPiecesIn(RoadClass::Trunk, {Lat - 0.0001, east, Lat + 0.0001, east + 0.0001},
                             [&](const MapData::Piece &piece) {
                                 ++near;
                                 EXPECT_EQ(piece.count, 9u);
                             });
    EXPECT_EQ(near, 1);
}

TEST(MapReader, ReadsASyntheticTown)
{
    OsmExtract osm;
    SyntheticTown::Plan plan;
    plan.pointsPerBlock = 2;
    SyntheticTown::addTo(osm, plan);
    const auto result = readText(osm.toXml());
    ASSERT_TRUE(result.data) << result.error.toStdString();
    const int streets = SyntheticTown::streetCount(plan);
    // Each street in ways of four blocks, plus the motorway and the railway.
    const std::size_t ways = std::size_t(2 * streets * ((streets - 1 + 3) / 4) + 1 + 1);
    EXPECT_EQ(result.data->roads().size(), ways);
    EXPECT_EQ(result.data->places().size(), 6u);
    // The lake, the park and its pond, the boundaries of the town and its neighbour.
    EXPECT_EQ(result.data->areas().size(), 5u);
    EXPECT_EQ(result.data->brokenAreas(), 0);
    EXPECT_TRUE(result.data->hasBoundaries());
    EXPECT_GT(result.data->memoryBytes(), result.data->points().size() * sizeof(GeoPoint));
}

// A broken file with two relations of one id: the first is taken, the second left out (the
// area assembler would have freed the shared members twice).
TEST(MapReader, TakesARelationIdOnlyOnce)
{
    QFile file(QStringLiteral(ROVANA_SOURCE_DIR "/fuzz/corpus/osmxml/duplicate-relation.osm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto result = readText(file.readAll());
    ASSERT_TRUE(result.data) << result.error.toStdString();
    EXPECT_EQ(roadNames(*result.data), QStringList({"Quay"}));
    EXPECT_FALSE(result.data->areas().empty());
}
