#include "log/MapViewport.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <limits>

using namespace MapFiles;

namespace {

const QSize Page(792, 369);

} // namespace

TEST(MapViewport, AltitudeOneShowsAFewStreetsAndEachDoublingTwiceTheDistance)
{
    MapViewport view(Lat, Lon, 1.0, Page);
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 0.6); // 475 m across the page
    ASSERT_TRUE(view.setAltitude(2.0));
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 1.2);
    ASSERT_TRUE(view.setAltitude(8.0));
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), 4.8);
    // No end to zooming out, but the view stops growing at about the earth.
    ASSERT_TRUE(view.setAltitude(1e12));
    EXPECT_DOUBLE_EQ(view.metresPerPixel(), MapViewport::MaxMetresPerPixel);
}

TEST(MapViewport, TheCentreIsTheMiddleOfTheViewWithNorthUp)
{
    const MapViewport view(Lat, Lon, 1.0, Page);
    EXPECT_EQ(view.toScreen(Lat, Lon), QPointF(396.0, 184.5));
    const QPointF north = view.toScreen(at(60, 0).latitude, at(60, 0).longitude);
    EXPECT_NEAR(north.x(), 396.0, 1e-6);
    EXPECT_NEAR(north.y(), 184.5 - 100.0, 0.05);
    const QPointF east = view.toScreen(at(0, 120).latitude, at(0, 120).longitude);
    EXPECT_NEAR(east.x(), 396.0 + 200.0, 0.1);
    EXPECT_NEAR(east.y(), 184.5, 1e-6);
}

TEST(MapViewport, PanMovesHalfTheViewInTheDirectionOfTheCode)
{
    MapViewport view(Lat, Lon, 1.0, Page);
    ASSERT_TRUE(view.pan(8, 1.0)); // north by half the height
    EXPECT_NEAR((view.latitude() - Lat) * MetresPerLat, 184.5 * 0.6, 0.01);
    EXPECT_DOUBLE_EQ(view.longitude(), Lon);
    ASSERT_TRUE(view.pan(2, 1.0));
    EXPECT_NEAR(view.latitude(), Lat, 1e-12);
    ASSERT_TRUE(view.pan(6, 1.0)); // east by half the width
    EXPECT_NEAR((view.longitude() - Lon) * MetresPerLon, 396 * 0.6, 0.05);
    ASSERT_TRUE(view.pan(4, 2.0));
    EXPECT_NEAR((view.longitude() - Lon) * MetresPerLon, -396 * 0.6, 0.05);
    // What was at the upper edge is in the middle after one step north.
    MapViewport again(Lat, Lon, 4.0, Page);
    const MapViewport before = again;
    ASSERT_TRUE(again.pan(8, 1.0));
    const QPointF top = before.toScreen(again.latitude(), again.longitude());
    EXPECT_NEAR(top.x(), 396.0, 1e-6);
    EXPECT_NEAR(top.y(), 0.0, 0.05);
}

TEST(MapViewport, OtherCodesAndValuesChangeNothing)
{
    MapViewport view(Lat, Lon, 2.0, Page);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const int code : {0, 1, 3, 5, 7, 9, -8})
        EXPECT_FALSE(view.pan(code, 1.0)) << code;
    EXPECT_FALSE(view.pan(8, nan));
    EXPECT_FALSE(view.pan(8, inf));
    EXPECT_FALSE(view.setAltitude(0.5));
    EXPECT_FALSE(view.setAltitude(nan));
    EXPECT_FALSE(view.setAltitude(inf));
    EXPECT_FALSE(view.centre(nan, Lon, 1.0));
    EXPECT_FALSE(view.centre(Lat, 200.0, 1.0));
    EXPECT_FALSE(view.centre(-91.0, Lon, 1.0));
    EXPECT_DOUBLE_EQ(view.latitude(), Lat);
    EXPECT_DOUBLE_EQ(view.longitude(), Lon);
    EXPECT_DOUBLE_EQ(view.altitude(), 2.0);
}

TEST(MapViewport, PanningStopsShortOfThePoleAndGoesRoundTheWorld)
{
    MapViewport view(84.99, 179.99, 1e6, Page);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(view.pan(8, 1.0));
    EXPECT_DOUBLE_EQ(view.latitude(), MapViewport::MaxLatitude);
    ASSERT_TRUE(view.centre(Lat, 179.999, 1.0));
    ASSERT_TRUE(view.pan(6, 1.0));
    EXPECT_LT(view.longitude(), -179.99);
    EXPECT_GE(view.longitude(), -180.0);
}

TEST(MapViewport, TheVisibleBoxHoldsTheView)
{
    const MapViewport view(Lat, Lon, 1.0, Page);
    const GeoBox box = view.visibleBox();
    EXPECT_NEAR((box.north - Lat) * MetresPerLat, 184.5 * 0.6, 0.01);
    EXPECT_NEAR((Lon - box.west) * MetresPerLon, 396 * 0.6, 0.05);
    const GeoBox wider = view.visibleBox(10);
    EXPECT_NEAR((wider.east - box.east) * MetresPerLon, 6.0, 0.01);
}
