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
