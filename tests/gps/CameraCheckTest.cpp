#include "gps/CameraCheck.h"
#include "gps/CameraTable.h"

#include "CameraTestData.h"
#include "support/LinearCameraCheck.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <random>

using namespace CameraTestData;

namespace {

constexpr double Coverage = 60.0;

class CameraCheckTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    CameraCheck::Result run(const std::vector<CameraRecord> &cameras, double course = 0.0,
                            const QString &sats = QStringLiteral("07"))
    {
        table = CameraTable(cameras);
        gps.PreviousFix = gps.CurrentFix = Home;
        gps.ComputedCourse = course;
        return check.run(table, gps, sats, Coverage);
    }

    CameraTable table;
    GpsValues gps;
    CameraCheck check;
};

} // namespace

TEST_F(CameraCheckTest, OneCameraLeavesNoSecond)
{
    const auto r = run({cameraFrom(Home, 2.5, 90, 70)});
    EXPECT_TRUE(r.rebuilt);
    EXPECT_EQ(r.limitText, "70");
    EXPECT_EQ(r.distanceText, "2500 m");
    EXPECT_EQ(r.secondText, "2nd in 1000000000m");
    EXPECT_NEAR(check.NearestCameraBearing, 90.0, 0.01);
    ASSERT_EQ(check.MapEntries.size(), 1u);
    EXPECT_NEAR(check.MapEntries[0].DistanceKm, 2.5, 1e-6);
    EXPECT_EQ(check.MapEntries[0].SpeedLimit, 70);
}

TEST_F(CameraCheckTest, NoCameraAtAll)
{
    const auto r = run({});
    EXPECT_TRUE(r.rebuilt);
    EXPECT_EQ(r.nearestKm, CameraCheck::NoCameraKm);
    EXPECT_EQ(r.limitText, "");
    EXPECT_EQ(r.distanceText, "");
    EXPECT_EQ(r.secondText, "2nd in 1000000000m");
    EXPECT_TRUE(check.MapEntries.empty());
}

TEST_F(CameraCheckTest, EqualDistancesAreBothNearestAndTheFirstInTheFileNamesTheLimit)
{
    const CameraRecord a = cameraFrom(Home, 1.2, 10, 50);
    CameraRecord b = a;
    b.SpeedLimit = 80;
    auto r = run({a, b});
    EXPECT_EQ(r.limitText, "50");
    EXPECT_EQ(r.secondText, "2nd in 1000000000m");
    r = run({b, a, cameraFrom(Home, 3.0, 200, 30)});
    EXPECT_EQ(r.limitText, "80");
    EXPECT_EQ(r.secondText, "2nd in 3000m");
    EXPECT_EQ(check.MapEntries.size(), 3u);
}

TEST_F(CameraCheckTest, TheLastCameraOfTheTableIsChecked)
{
    const auto r = run(
        {cameraFrom(Home, 5, 0, 30), cameraFrom(Home, 4, 0, 40), cameraFrom(Home, 0.4, 0, 100)});
    EXPECT_EQ(r.limitText, "100");
    EXPECT_EQ(r.distanceText, "400 m");
    EXPECT_EQ(r.secondText, "2nd in 4000m");
}

TEST_F(CameraCheckTest, AlertWithinTheDistanceAndTheSectorOnly)
{
    // Driving on course 100: a camera 0.9 km away 30 degrees right of the course alerts,
    // 40 degrees right does not.
    auto r = run({cameraFrom(Home, 0.9, 130.5, 60)}, 100.0);
    EXPECT_EQ(check.RelativeBearing, 30);
    EXPECT_TRUE(check.alerts(r, 1.0));
    r = run({cameraFrom(Home, 0.9, 140.5, 60)}, 100.0);
    EXPECT_EQ(check.RelativeBearing, 40);
    EXPECT_FALSE(check.alerts(r, 1.0));
    r = run({cameraFrom(Home, 0.9, 70.5, 60)}, 100.0);
    EXPECT_EQ(check.RelativeBearing, 330);
    EXPECT_TRUE(check.alerts(r, 1.0));
}

TEST_F(CameraCheckTest, ExactlyTheWarningDistanceDoesNotAlert)
{
    CameraCheck::Result r;
    r.nearestKm = 1.0;
    check.RelativeBearing = 0;
    EXPECT_FALSE(check.alerts(r, 1.0));
    r.nearestKm = 0.9999999;
    EXPECT_TRUE(check.alerts(r, 1.0));
}

TEST_F(CameraCheckTest, ACameraRightAtTheFixMeasuresZeroAndAlerts)
{
    const CameraRecord here{latitudeOf(Home), longitudeOf(Home), 50};
    const auto r = run({cameraFrom(Home, 3, 0, 30), here});
    EXPECT_EQ(r.limitText, "50");
    EXPECT_EQ(r.distanceText, "0 m");
    EXPECT_EQ(check.RelativeBearing, 0);
    EXPECT_TRUE(check.alerts(r, 1.0));
}

TEST_F(CameraCheckTest, StandingStillKeepsTheListAndShowsNoCamera)
{
    run({cameraFrom(Home, 0.5, 0, 50), cameraFrom(Home, 2, 90, 70)});
    ASSERT_EQ(check.MapEntries.size(), 2u);
    const double bearing = check.NearestCameraBearing;
    gps.Stationary = true;
    const auto r = check.run(table, gps, QStringLiteral("07"), Coverage);
    EXPECT_FALSE(r.rebuilt);
    EXPECT_EQ(r.nearestKm, CameraCheck::NoCameraKm);
    EXPECT_EQ(r.limitText, "");
    EXPECT_EQ(r.distanceText, "");
    EXPECT_EQ(r.secondText, ""); // the label keeps its text
    EXPECT_FALSE(check.alerts(r, 1.0));
    EXPECT_EQ(check.MapEntries.size(), 2u);
    EXPECT_EQ(check.NearestCameraBearing, bearing);
}

TEST_F(CameraCheckTest, NoSatellitesNeverWarns)
{
    const auto r = run({cameraFrom(Home, 0.5, 0, 50)}, 0.0, QStringLiteral("00"));
    EXPECT_FALSE(r.rebuilt);
    EXPECT_FALSE(r.satellitesOk);
    EXPECT_EQ(r.limitText, "");
    EXPECT_FALSE(check.alerts(r, 1.0));
    EXPECT_TRUE(run({}, 0.0, QStringLiteral("04")).satellitesOk);
}

// The receiver lost its fix but reports satellites: the last position is stale.
TEST_F(CameraCheckTest, AStalePositionIsNotMeasured)
{
    ASSERT_TRUE(check.alerts(run({cameraFrom(Home, 0.5, 0, 50)}), 1.0));
    const auto r = check.run(table, gps, QStringLiteral("05"), Coverage, false);
    EXPECT_FALSE(r.rebuilt);
    EXPECT_TRUE(r.satellitesOk);
    EXPECT_EQ(r.limitText, "");
    EXPECT_EQ(r.distanceText, "");
    EXPECT_FALSE(check.alerts(r, 1.0));
}

TEST_F(CameraCheckTest, NoFixYetMeasuresNothing)
{
    table = CameraTable({{0.001, 0.001, 50}});
    const auto r = check.run(table, gps, QString(), Coverage); // fixes all zero
    EXPECT_FALSE(r.rebuilt);
    EXPECT_FALSE(check.alerts(r, 1.0));
    gps.PreviousFix.LatMinutes = std::numeric_limits<double>::quiet_NaN();
    gps.PreviousFix.LatDegrees = 51;
    EXPECT_FALSE(check.run(table, gps, QString(), Coverage).rebuilt);
}

TEST_F(CameraCheckTest, MapEntriesHoldTheCamerasWithinTheCoverageInFileOrder)
{
    run({cameraFrom(Home, 80, 0, 1), cameraFrom(Home, 10, 5, 2), cameraFrom(Home, 59, 270, 3),
         cameraFrom(Home, 1, 180, 4)},
        45.0);
    ASSERT_EQ(check.MapEntries.size(), 3u);
    EXPECT_EQ(check.MapEntries[0].SpeedLimit, 2);
    EXPECT_EQ(check.MapEntries[1].SpeedLimit, 3);
    EXPECT_EQ(check.MapEntries[2].SpeedLimit, 4);
    EXPECT_NEAR(check.MapEntries[0].BearingOffset, -40.0, 1e-6); // not normalised
    EXPECT_NEAR(check.MapEntries[1].BearingOffset, 225.0, 0.01);
    EXPECT_NEAR(check.MapEntries[2].BearingOffset, 135.0, 1e-6);
}

TEST(CameraCheckBearing, RelativeBearingEdges)
{
    EXPECT_EQ(CameraCheck::relativeBearing(0.0, 0.0), 0);
    EXPECT_EQ(CameraCheck::relativeBearing(359.9, 0.1), 1);
    EXPECT_EQ(CameraCheck::relativeBearing(10.0, 350.0), 340);
    EXPECT_EQ(CameraCheck::relativeBearing(350.0, 10.0), 20);
    EXPECT_EQ(CameraCheck::relativeBearing(180.0, 0.0), 180);
    EXPECT_EQ(CameraCheck::relativeBearing(0.0, 359.99), 359);
    EXPECT_EQ(CameraCheck::relativeBearing(std::nan(""), 10.0), 0);
    EXPECT_TRUE(CameraCheck::ahead(0));
    EXPECT_TRUE(CameraCheck::ahead(35));
    EXPECT_FALSE(CameraCheck::ahead(36));
    EXPECT_FALSE(CameraCheck::ahead(324));
    EXPECT_TRUE(CameraCheck::ahead(325));
    EXPECT_TRUE(CameraCheck::ahead(359));
}

namespace {

void expectSameAsLinear(const std::vector<CameraRecord> &cameras, const CameraTable &table,
                        const NavFix &fix, double course, double coverage)
{
    GpsValues gps;
    gps.PreviousFix = gps.CurrentFix = fix;
    gps.ComputedCourse = course;
    CameraCheck check;
    const auto r = check.run(table, gps, QStringLiteral("08"), coverage);
    const LinearCameraCheck linear(cameras, fix, course);
    ASSERT_TRUE(r.rebuilt);
    EXPECT_EQ(r.nearestKm, linear.nearestKm);
    EXPECT_EQ(r.secondKm, linear.secondKm);
    if (linear.nearestPosition >= 0) {
        EXPECT_EQ(r.limitText, QString::number(cameras[size_t(linear.nearestPosition)].SpeedLimit));
        EXPECT_EQ(check.NearestCameraBearing, linear.nearestBearing);
    }
    const std::vector<MapEntry> expected = linear.within(coverage);
    ASSERT_EQ(check.MapEntries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(check.MapEntries[i].DistanceKm, expected[i].DistanceKm);
        EXPECT_EQ(check.MapEntries[i].BearingOffset, expected[i].BearingOffset);
        EXPECT_EQ(check.MapEntries[i].SpeedLimit, expected[i].SpeedLimit);
    }
}

} // namespace

TEST(CameraCheckIndex, MatchesTheWalkOverEveryCamera)
{
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> lat(50.5, 52.5), lon(6.0, 8.5), course(0, 360);
    std::uniform_int_distribution<int> limit(30, 130);
    std::vector<CameraRecord> cameras;
    for (int i = 0; i < 20000; ++i)
        cameras.push_back({lat(rng), lon(rng), limit(rng)});
    // Pairs at one place, and cameras elsewhere in the world.
    for (int i = 0; i < 200; ++i)
        cameras.push_back(cameras[size_t(i * 37)]);
    cameras.push_back({-33.9, 151.2, 60});
    cameras.push_back({64.1, -21.9, 50});
    const CameraTable table(cameras);
    for (int i = 0; i < 20; ++i) {
        NavFix fix = fixAt(lat(rng), lon(rng));
        expectSameAsLinear(cameras, table, fix, course(rng), 53.4);
        expectSameAsLinear(cameras, table, fix, course(rng), 2.0);
    }
    // Standing on a camera, and far from every camera.
    expectSameAsLinear(cameras, table, fixAt(cameras[5].Latitude, cameras[5].Longitude), 0, 10);
    expectSameAsLinear(cameras, table, fixAt(40.0, -3.7), 90, 53.4);
}

TEST(CameraCheckIndex, SparseTablesAcrossTheDateLineAndThePoles)
{
    const std::vector<CameraRecord> cameras{{89.99, 0, 1},   {89.99, 180, 2},  {-89.5, 45, 3},
                                            {0, 179.999, 4}, {0, -179.999, 5}, {10, 20, 6},
                                            {0, 179.999, 7}};
    for (const NavFix &fix : {fixAt(0, 179.9995), fixAt(0, -179.9995), fixAt(89.995, 90),
                              fixAt(-89.9, -100), fixAt(10, 20), fixAt(-45, 0)})
        expectSameAsLinear(cameras, CameraTable(cameras), fix, 33.0, 53.4);
}
