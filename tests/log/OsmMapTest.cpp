#include "log/OsmMap.h"
#include "log/MapView.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <optional>

using namespace MapFiles;

namespace {

// A page-sized container and a map over a file in a temporary directory.
struct MapFixture {
    TempDir dir;
    QWidget page;
    QString file = dir.file("map.osm.pbf");
    OsmMap map{[this] {
        return file;
    }};
    std::optional<bool> result;
    int calls = 0;

    MapFixture() { page.resize(792, 369); }

    std::function<void(bool)> done()
    {
        return [this](bool ok) {
            result = ok;
            ++calls;
        };
    }
    bool create()
    {
        map.create(&page, done());
        EXPECT_TRUE(waitUntil([this] { return result.has_value(); }));
        return result.value_or(false);
    }
};

} // namespace

TEST(OsmMap, DoesNothingBeforeItIsCreated)
{
    MapFixture f;
    EXPECT_EQ(f.map.view(), nullptr);
    EXPECT_FALSE(f.map.centre(Lat, Lon, 1.0));
    EXPECT_FALSE(f.map.setAltitude(2.0));
    EXPECT_FALSE(f.map.pan(8, 1.0));
    EXPECT_EQ(f.map.placeAt(Lat, Lon), "");
}

TEST(OsmMap, CreatedFromAGoodFileItDrawsAndLooksUp)
{
    MapFixture f;
    ASSERT_TRUE(oneStreet().write(f.file));
    ASSERT_TRUE(f.create());
    EXPECT_EQ(f.calls, 1);
    ASSERT_NE(f.map.view(), nullptr);
    EXPECT_EQ(f.map.view()->parentWidget(), &f.page);
    EXPECT_EQ(f.map.view()->geometry(), QRect(0, 0, 792, 369));
    EXPECT_TRUE(f.map.isCreated());
    EXPECT_EQ(f.map.placeAt(Lat, Lon), "Mill Street, Lowbridge");
    EXPECT_EQ(f.map.placeAt(Lat + 0.01, Lon), "n/a");
    EXPECT_TRUE(f.map.centre(Lat, Lon, 1.0));
    EXPECT_TRUE(f.map.setAltitude(4.0));
    EXPECT_TRUE(f.map.pan(6, 1.0));
    const MapViewport &view = f.map.mapView()->viewport();
    EXPECT_DOUBLE_EQ(view.altitude(), 4.0);
    EXPECT_NEAR((view.longitude() - Lon) * MetresPerLon, 396 * 0.6 * 4, 0.5);
}

TEST(OsmMap, StartsCentredOnItsData)
{
    MapFixture f;
    OsmExtract osm;
    osm.road("primary", "Only Road", {at(1000, 1000), at(1200, 1000)});
    ASSERT_TRUE(osm.write(f.file));
    ASSERT_TRUE(f.create());
    const MapViewport &view = f.map.mapView()->viewport();
    EXPECT_NEAR((view.latitude() - Lat) * MetresPerLat, 1100.0, 0.1);
    EXPECT_NEAR((view.longitude() - Lon) * MetresPerLon, 1000.0, 0.1);
}

TEST(OsmMap, RefusesBadValuesAndKeepsItsView)
{
    MapFixture f;
    ASSERT_TRUE(oneStreet().write(f.file));
    ASSERT_TRUE(f.create());
    ASSERT_TRUE(f.map.centre(Lat, Lon, 2.0));
    EXPECT_FALSE(f.map.centre(123.0, Lon, 2.0));
    EXPECT_FALSE(f.map.setAltitude(0.0));
    EXPECT_FALSE(f.map.pan(5, 1.0));
    const MapViewport &view = f.map.mapView()->viewport();
    EXPECT_DOUBLE_EQ(view.latitude(), Lat);
    EXPECT_DOUBLE_EQ(view.altitude(), 2.0);
}

TEST(OsmMap, AMissingFileFailsAtOnce)
{
    MapFixture f;
    f.map.create(&f.page, f.done());
    ASSERT_TRUE(f.result.has_value()); // no thread needed to find out
    EXPECT_FALSE(*f.result);
    EXPECT_FALSE(f.map.isCreated());
    EXPECT_FALSE(f.map.centre(Lat, Lon, 1.0));
    EXPECT_EQ(f.map.placeAt(Lat, Lon), "");
    EXPECT_TRUE(f.map.error().contains("map.osm.pbf"));
}

TEST(OsmMap, CorruptAndEmptyFilesFail)
{
    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("<osm><node id=\"1\""), QByteArray(3000, '\x07')}) {
        MapFixture f;
        f.dir.write("map.osm.pbf", bytes);
        EXPECT_FALSE(f.create()) << bytes.toHex().left(20).toStdString();
        EXPECT_FALSE(f.map.isCreated());
        EXPECT_EQ(f.map.placeAt(Lat, Lon), "");
    }
}

TEST(OsmMap, ANewCreationAfterAFailureReadsTheFileAgain)
{
    MapFixture f;
    EXPECT_FALSE(f.create());
    ASSERT_TRUE(oneStreet().write(f.file));
    f.result.reset();
    EXPECT_TRUE(f.create());
    EXPECT_EQ(f.calls, 2);
    // Once created, a creation answers at once.
    f.result.reset();
    f.map.create(&f.page, f.done());
    EXPECT_EQ(f.result, std::optional<bool>(true));
}

TEST(OsmMap, CreationsDuringTheReadWaitForIt)
{
    MapFixture f;
    ASSERT_TRUE(oneStreet().write(f.file));
    int second = 0;
    f.map.create(&f.page, f.done());
    f.map.create(&f.page, [&](bool ok) { second += ok ? 1 : 100; });
    ASSERT_TRUE(waitUntil([&] { return f.result.has_value() && second != 0; }));
    EXPECT_TRUE(*f.result);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(f.page.findChildren<MapView *>().size(), 1);
}

TEST(OsmMap, GoesAwayInTheMiddleOfARead)
{
    TempDir dir;
    ASSERT_TRUE(oneStreet().write(dir.file("map.osm")));
    QWidget page;
    bool called = false;
    {
        OsmMap map([&] { return dir.file("map.osm"); });
        map.create(&page, [&](bool) { called = true; });
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST(OsmMap, WithoutAContainerThereIsNoMap)
{
    TempDir dir;
    ASSERT_TRUE(oneStreet().write(dir.file("map.osm")));
    OsmMap map([&] { return dir.file("map.osm"); });
    std::optional<bool> result;
    map.create(nullptr, [&](bool ok) { result = ok; });
    EXPECT_EQ(result, std::optional<bool>(false));
    EXPECT_EQ(map.view(), nullptr);
}

TEST(OsmMap, TheViewFollowsItsContainersSize)
{
    MapFixture f;
    ASSERT_TRUE(oneStreet().write(f.file));
    ASSERT_TRUE(f.create());
    f.page.show();
    f.page.resize(400, 300);
    EXPECT_EQ(f.map.view()->size(), QSize(400, 300));
    EXPECT_EQ(f.map.mapView()->viewport().size(), QSize(400, 300));
    // A hidden container's new size counts from the next move of the map.
    f.page.hide();
    f.page.resize(600, 200);
    ASSERT_TRUE(f.map.pan(8, 1.0));
    EXPECT_EQ(f.map.view()->size(), QSize(600, 200));
    EXPECT_EQ(f.map.mapView()->viewport().size(), QSize(600, 200));
}
