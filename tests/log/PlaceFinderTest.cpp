#include "log/PlaceFinder.h"
#include "log/MapData.h"
#include "log/MapReader.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <limits>

using namespace MapFiles;

namespace {

std::shared_ptr<const MapData> load(const OsmExtract &osm)
{
    const QByteArray xml = osm.toXml();
    auto result = MapReader::readXml(xml.data(), std::size_t(xml.size()));
    EXPECT_TRUE(result.data) << result.error.toStdString();
    return result.data;
}

QString placeAt(const MapData &data, double north, double east)
{
    const auto p = at(north, east);
    return PlaceFinder(data).placeAt(p.latitude, p.longitude);
}

} // namespace

TEST(PlaceFinder, NamesTheStreetAndTheTownAroundIt)
{
    const auto data = load(oneStreet());
    EXPECT_EQ(placeAt(*data, 0, 0), "Mill Street, Lowbridge");
    EXPECT_EQ(placeAt(*data, 12, -250), "Mill Street, Lowbridge");
}

TEST(PlaceFinder, NothingNearGivesNotAvailable)
{
    const auto data = load(oneStreet());
    EXPECT_EQ(placeAt(*data, 200, 0), "n/a");
    EXPECT_EQ(placeAt(*data, -200, 0), "n/a");
    EXPECT_EQ(placeAt(*data, 0, 800), "n/a");
}

TEST(PlaceFinder, RoadsCountUpToFiftyMetresAway)
{
    const auto data = load(oneStreet());
    EXPECT_EQ(placeAt(*data, -49, 0), "Mill Street, Lowbridge");
    EXPECT_EQ(placeAt(*data, -51, 0), "n/a");
    // Beyond the street's west end, measured to the end point.
    EXPECT_EQ(placeAt(*data, 0, -345), "Mill Street, Lowbridge");
    EXPECT_EQ(placeAt(*data, 0, -355), "n/a");
}

TEST(PlaceFinder, IgnoresUnnamedRoadsAndFootways)
{
    // On the unnamed service road (30 m from the street) and on the footway (20 m).
    const auto data = load(oneStreet());
    EXPECT_EQ(placeAt(*data, 30, 0), "Mill Street, Lowbridge");
    EXPECT_EQ(placeAt(*data, -20, 0), "Mill Street, Lowbridge");

    OsmExtract unnamed;
    unnamed.road("residential", "", {at(0, -100), at(0, 100)});
    unnamed.place("town", "Lowbridge", Lat, Lon);
    EXPECT_EQ(placeAt(*load(unnamed), 0, 0), "n/a");
}

TEST(PlaceFinder, TakesTheNearestNamedRoad)
{
    OsmExtract osm;
    osm.road("residential", "North Row", {at(20, -100), at(20, 100)});
    osm.road("residential", "South Row", {at(-10, -100), at(-10, 100)});
    osm.road("primary", "Cross Road", {at(-100, 40), at(100, 40)});
    const auto data = load(osm);
    EXPECT_EQ(placeAt(*data, 0, 0), "South Row");
    EXPECT_EQ(placeAt(*data, 12, 0), "North Row");
    EXPECT_EQ(placeAt(*data, 5, 35), "Cross Road");
    // Where two roads cross, the larger one.
    EXPECT_EQ(placeAt(*data, 20, 40), "Cross Road");
}

TEST(PlaceFinder, TwoTownsEachGetTheirStreets)
{
    OsmExtract osm;
    osm.road("residential", "Church Lane", {at(0, -100), at(0, 100)});
    osm.road("residential", "Church Lane", {at(0, 6900), at(0, 7100)});
    osm.road("residential", "Station Road", {at(0, 3300), at(0, 3500)});
    osm.place("town", "Westham", Lat, Lon);
    osm.place("town", "Eastham", Lat, Lon + 7000 / MetresPerLon);
    const auto data = load(osm);
    EXPECT_EQ(placeAt(*data, 0, 0), "Church Lane, Westham");
    EXPECT_EQ(placeAt(*data, 0, 7000), "Church Lane, Eastham");
    // Between the two, 3.4 km from Westham and 3.6 km from Eastham.
    EXPECT_EQ(placeAt(*data, 0, 3400), "Station Road, Westham");
}

TEST(PlaceFinder, EachKindOfPlaceReachesItsOwnDistance)
{
    OsmExtract osm;
    osm.road("residential", "Long Road", {at(0, 0), at(0, 20000)});
    osm.place("hamlet", "Tiny", Lat, Lon);
    osm.place("city", "Big", Lat, Lon + 20000 / MetresPerLon);
    const auto data = load(osm);
    EXPECT_EQ(placeAt(*data, 0, 700), "Long Road, Tiny");
    EXPECT_EQ(placeAt(*data, 0, 900), "Long Road");       // beyond the hamlet, short of the city
    EXPECT_EQ(placeAt(*data, 0, 9000), "Long Road, Big"); // 11 km from the city
    // The nearest place wins where several reach.
    OsmExtract inside;
    inside.road("residential", "Dock Street", {at(0, -100), at(0, 100)});
    inside.place("city", "Port City", Lat, Lon + 3000 / MetresPerLon);
    inside.place("suburb", "Harbourside", Lat, Lon + 500 / MetresPerLon);
    EXPECT_EQ(placeAt(*load(inside), 0, 0), "Dock Street, Harbourside");
}

TEST(PlaceFinder, NoPositionGivesAnEmptyText)
{
    const auto data = load(oneStreet());
    const PlaceFinder finder(*data);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(finder.placeAt(nan, Lon), "");
    EXPECT_EQ(finder.placeAt(Lat, std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(finder.placeAt(91.0, Lon), "");
    EXPECT_EQ(finder.placeAt(Lat, 181.0), "");
    EXPECT_EQ(finder.placeAt(-90.0, -180.0), "n/a");
}

namespace {

// A closed way of the corners, as the one outer member of a boundary relation.
void boundary(OsmExtract &osm, const QString &name, int level, double south, double west,
              double north, double east)
{
    const auto way = osm.ring({at(south, west), at(south, east), at(north, east), at(north, west)});
    osm.relation({{way, "outer"}}, {{"type", "boundary"},
                                    {"boundary", "administrative"},
                                    {"admin_level", QString::number(level)},
                                    {"name", name}});
}

QString placeAlong(const MapData &data, double north, double east, double course)
{
    const auto p = at(north, east);
    return PlaceFinder(data).placeAt(p.latitude, p.longitude, course);
}

} // namespace

// A border town beside a small state: the nearest place node is a quarter across the
// border, but the boundaries tell.
TEST(PlaceFinder, TheTownIsTheMunicipalityWhoseBoundaryHoldsThePosition)
{
    OsmExtract osm;
    osm.road("residential", "Border Street", {at(0, -2000), at(0, 2000)});
    osm.road("residential", "Hill Road", {at(-3000, 1500), at(3000, 1500)});
    boundary(osm, "Beausoleil", 8, -1000, -1000, 1000, 0);
    boundary(osm, "Monaco", 8, -1000, 0, 1000, 1000);
    // A quarter of Monaco and its node, and the quarter of Beausoleil the car is in.
    boundary(osm, "Moneghetti", 10, -500, 0, 500, 500);
    boundary(osm, "Le Tenao", 10, -200, -300, 200, 0);
    osm.place("suburb", "Moneghetti", Lat, Lon + 100 / MetresPerLon);
    osm.place("town", "Beausoleil", Lat + 900 / MetresPerLat, Lon - 900 / MetresPerLon);
    // The department holds both and more.
    boundary(osm, "Alpes-Maritimes", 6, -2500, -2500, 2500, 2500);
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasBoundaries());
    EXPECT_EQ(placeAt(*data, 0, -50), "Border Street, Beausoleil");
    EXPECT_EQ(placeAt(*data, 0, 50), "Border Street, Monaco");
    EXPECT_EQ(placeAt(*data, 0, -900), "Border Street, Beausoleil");
    // Beyond the municipalities only the department's boundary holds it.
    EXPECT_EQ(placeAt(*data, 2000, 1500), "Hill Road, Alpes-Maritimes");
    // Beyond every boundary: the place nodes, as in an extract without boundaries.
    EXPECT_EQ(placeAt(*data, -2990, 1500), "Hill Road, Beausoleil");
}

// A city state has no municipality of its own: its country boundary names it, not the
// quarter whose node is nearest.
TEST(PlaceFinder, ACityStateIsItsOwnTown)
{
    OsmExtract osm;
    osm.road("primary", "Boulevard Albert 1er", {at(0, -500), at(0, 500)});
    boundary(osm, "Monaco", 2, -1000, -1000, 1000, 1000);
    boundary(osm, "La Condamine", 10, -300, -300, 300, 300);
    osm.place("suburb", "La Condamine", Lat, Lon);
    osm.place("suburb", "Monte-Carlo", Lat, Lon + 800 / MetresPerLon);
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(placeAt(*data, 0, 0), "Boulevard Albert 1er, Monaco");
    EXPECT_EQ(placeAt(*data, 0, 450), "Boulevard Albert 1er, Monaco");
}

TEST(PlaceFinder, AFootwayBesideTheRoadIsNeverTheStreet)
{
    OsmExtract osm;
    osm.road("secondary", "Avenue de la Gare", {at(0, -200), at(0, 200)});
    osm.road("footway", "Promenade", {at(-35, -200), at(-35, 200)});
    osm.road("steps", "Escalier", {at(-38, -10), at(-30, 10)});
    osm.road("path", "Sentier", {at(-40, -200), at(-40, 200)});
    osm.road("pedestrian", "Place du Marché", {at(-45, -200), at(-45, 200)});
    boundary(osm, "Cap-d'Ail", 8, -1000, -1000, 1000, 1000);
    const auto data = load(osm);
    ASSERT_TRUE(data);
    EXPECT_EQ(placeAt(*data, -36, 0), "Avenue de la Gare, Cap-d'Ail");
    EXPECT_EQ(placeAlong(*data, -36, 0, 90.0), "Avenue de la Gare, Cap-d'Ail");
}

TEST(PlaceFinder, WhereTwoRoadsCrossTheCourseTellsWhichOne)
{
    OsmExtract osm;
    osm.road("tertiary", "East Street", {at(0, -300), at(0, 300)});
    osm.road("residential", "North Lane", {at(-300, 10), at(300, 10)});
    const auto data = load(osm);
    ASSERT_TRUE(data);
    // 8 m from North Lane, 5 m from East Street.
    EXPECT_EQ(placeAlong(*data, 5, 2, 0.0), "North Lane");
    EXPECT_EQ(placeAlong(*data, 5, 2, 185.0), "North Lane");
    EXPECT_EQ(placeAlong(*data, 5, 2, 90.0), "East Street");
    EXPECT_EQ(placeAlong(*data, 5, 2, 268.0), "East Street");
    // A course along neither, or none: the nearest.
    EXPECT_EQ(placeAlong(*data, 5, 2, 45.0), "East Street");
    EXPECT_EQ(placeAt(*data, 5, 2), "East Street");
    // A road along the course but beyond reach doesn't count.
    EXPECT_EQ(placeAlong(*data, 5, 80, 0.0), "East Street");
}
