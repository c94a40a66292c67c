#include "log/Coastline.h"
#include "log/MapData.h"
#include "log/MapReader.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

using namespace MapFiles;

namespace {

using Tags = OsmExtract::Tags;

std::shared_ptr<const MapData> load(const OsmExtract &osm)
{
    const QByteArray xml = osm.toXml();
    auto result = MapReader::readXml(xml.data(), std::size_t(xml.size()));
    EXPECT_TRUE(result.data) << result.error.toStdString();
    return result.data;
}

std::vector<OsmExtract::LatLon> square(double south, double west, double north, double east)
{
    return {at(south, west), at(south, east), at(north, east), at(north, west)};
}

// The areas of the kind that hold the point, metres from 48° N 11° E.
int areasAt(const MapData &data, AreaKind kind, double north, double east)
{
    const auto p = at(north, east);
    const GeoPoint point = GeoPoint::fromDegrees(p.latitude, p.longitude);
    int found = 0;
    data.forAreasIn(
        kind, {p.latitude, p.longitude, p.latitude, p.longitude},
        [&](const MapData::Area &area) { found += data.contains(area, point) ? 1 : 0; });
    return found;
}

// A road to give the extract its extent: 1 km each way from the middle.
void frame(OsmExtract &osm)
{
    osm.road("residential", "Edge Road", {at(-1000, -1000), at(1000, 1000)});
}

} // namespace

TEST(MapAreas, LakesRiversAndTheSeaBesideTheCoast)
{
    OsmExtract osm;
    frame(osm);
    osm.ring(square(100, 100, 300, 400), {{"natural", "water"}, {"name", "Long Lake"}});
    osm.ring(square(-300, 100, -200, 200), {{"landuse", "reservoir"}});
    osm.road("footway", "", {at(0, 0), at(1, 1)}); // nothing to keep
    osm.way({osm.node(at(500, -900).latitude, at(500, -900).longitude),
             osm.node(at(500, 900).latitude, at(500, 900).longitude)},
            {{"waterway", "river"}, {"name", "Rove"}});
    // The coast runs 800 m north of the middle, drawn from east to west: the sea, on the
    // right of the way, lies north of it.
    const auto e = at(800, 1000);
    const auto m = at(820, 0);
    const auto w = at(800, -1000);
    const OsmExtract::Id east = osm.node(e.latitude, e.longitude);
    const OsmExtract::Id middle = osm.node(m.latitude, m.longitude);
    const OsmExtract::Id west = osm.node(w.latitude, w.longitude);
    // Two pieces, the later one first in the file: they are joined all the same.
    osm.way({middle, west}, {{"natural", "coastline"}});
    osm.way({east, middle}, {{"natural", "coastline"}});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(areasAt(*data, AreaKind::Water, 200, 250), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Water, -250, 150), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Water, 0, 250), 0);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 900, 0), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 900, -990), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 700, 0), 0);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 0, 0), 0);
    int rivers = 0;
    for (const MapData::Road &road : data->roads())
        rivers += road.roadClass == RoadClass::Waterway ? 1 : 0;
    EXPECT_EQ(rivers, 1);
}

TEST(MapAreas, AnIslandHasTheSeaAllAround)
{
    OsmExtract osm;
    frame(osm);
    // Counter-clockwise: land on the left, inside.
    osm.ring(square(-200, -200, 200, 200), {{"natural", "coastline"}});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 0, 0), 0);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, 500, 500), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Sea, -900, 300), 1);
}

TEST(MapAreas, AMultipolygonParkWithAHole)
{
    OsmExtract osm;
    frame(osm);
    const auto outer = osm.ring(square(-300, -300, 300, 300));
    const auto inner = osm.ring(square(-100, -100, 100, 100));
    osm.relation({{outer, "outer"}, {inner, "inner"}},
                 {{"type", "multipolygon"}, {"leisure", "park"}, {"name", "Town Park"}});
    osm.ring(square(400, 400, 450, 450), {{"building", "yes"}});
    osm.ring(square(-600, 400, -450, 600), {{"landuse", "residential"}});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(areasAt(*data, AreaKind::Green, 200, 0), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::Green, 0, 0), 0); // the hole
    EXPECT_EQ(areasAt(*data, AreaKind::Green, 400, 0), 0);
    EXPECT_EQ(areasAt(*data, AreaKind::Building, 425, 425), 1);
    EXPECT_EQ(areasAt(*data, AreaKind::BuiltUp, -500, 500), 1);
    EXPECT_EQ(data->brokenAreas(), 0);
}

TEST(MapAreas, BrokenMultipolygonsAreSkippedAndCounted)
{
    OsmExtract osm;
    frame(osm);
    // Its outer way doesn't close.
    const auto open = osm.way({osm.node(at(0, 0).latitude, at(0, 0).longitude),
                               osm.node(at(0, 300).latitude, at(0, 300).longitude),
                               osm.node(at(300, 300).latitude, at(300, 300).longitude)},
                              {});
    osm.relation({{open, "outer"}}, {{"type", "multipolygon"}, {"natural", "wood"}});
    // A member the extract doesn't hold.
    osm.relation({{9999, "outer"}}, {{"type", "multipolygon"}, {"landuse", "forest"}});
    const auto good = osm.ring(square(-300, -300, -100, -100));
    osm.relation({{good, "outer"}}, {{"type", "multipolygon"}, {"natural", "water"}});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->brokenAreas(), 2);
    EXPECT_EQ(areasAt(*data, AreaKind::Green, 100, 250), 0);
    EXPECT_EQ(areasAt(*data, AreaKind::Water, -200, -200), 1);
}

TEST(MapAreas, RoadsKeepTheirLevelAndNumberRailwaysTheirClass)
{
    OsmExtract osm;
    const auto a = at(0, 0);
    const auto b = at(0, 500);
    auto line = [&](const Tags &tags) {
        osm.way({osm.node(a.latitude, a.longitude), osm.node(b.latitude, b.longitude)}, tags);
    };
    line({{"highway", "primary"}, {"name", "Harbour Road"}, {"ref", "D 6007"}, {"tunnel", "yes"}});
    line({{"highway", "residential"}, {"name", "Quay"}, {"bridge", "yes"}, {"ref", "X"}});
    line({{"railway", "rail"}});
    line({{"railway", "abandoned"}});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    ASSERT_EQ(data->roads().size(), 3u);
    const MapData::Road &tunnel = data->roads()[0];
    EXPECT_EQ(tunnel.level, RoadLevel::Tunnel);
    EXPECT_EQ(data->name(tunnel.name), "Harbour Road");
    EXPECT_EQ(data->name(tunnel.ref), "D 6007");
    EXPECT_EQ(data->roads()[1].level, RoadLevel::Bridge);
    EXPECT_EQ(data->roads()[1].ref, MapData::NoName); // numbers only for major roads
    EXPECT_EQ(data->roads()[2].roadClass, RoadClass::Railway);
}

TEST(Coastline, ClosesTheSeaAlongTheBoxClockwise)
{
    // The box is 0..10 both ways (in 1e-7 degrees stands 1 degree); the coast enters at
    // the west edge and leaves at the east edge going east: the water, on its right, is
    // the southern part.
    Coastline coast;
    auto p = [](double lat, double lon) {
        return GeoPoint::fromDegrees(lat, lon);
    };
    coast.addWay({p(5, 0), p(5, 5)});
    coast.addWay({p(5, 5), p(4, 10)});
    const auto sea = coast.seaWithin({0.0, 0.0, 10.0, 10.0});
    ASSERT_EQ(sea.size(), 1u);
    MapData data;
    data.addArea(AreaKind::Sea, MapData::NoName, 0, sea);
    data.buildIndex();
    const MapData::Area &area = data.areas().front();
    EXPECT_TRUE(data.contains(area, p(1, 1)));
    EXPECT_TRUE(data.contains(area, p(3.9, 9.9)));
    EXPECT_FALSE(data.contains(area, p(6, 5)));
    EXPECT_FALSE(data.contains(area, p(9, 9)));
    // No coastline, no sea; a coast cut short inside the box still gives a closed ring.
    EXPECT_TRUE(Coastline().seaWithin({0.0, 0.0, 10.0, 10.0}).empty());
    Coastline cut;
    cut.addWay({p(5, 2), p(5, 8)});
    const auto cutSea = cut.seaWithin({0.0, 0.0, 10.0, 10.0});
    ASSERT_EQ(cutSea.size(), 1u);
    EXPECT_EQ(cutSea.front().front(), cutSea.front().back());
}
