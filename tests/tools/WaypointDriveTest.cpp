#include "WaypointDrive.h"
#include "NmeaSentence.h"
#include "Sphere.h"

#include <gtest/gtest.h>

#include <QList>

#include <cmath>
#include <numbers>

namespace {

const QDateTime Start(QDate(2024, 5, 18), QTime(9, 30, 0), Qt::UTC);

// One minute of arc of latitude is one nautical mile on the program's sphere.
constexpr double KmPerMinute = 1.852;

double minutesToDegrees(const QByteArray &field, int degreeDigits)
{
    return field.left(degreeDigits).toDouble() + field.mid(degreeDigits).toDouble() / 60;
}

// The position a GGA sentence tells, north and east positive.
GeoPoint ggaPosition(const QByteArray &gga)
{
    const QList<QByteArray> f = gga.split(',');
    const double lat = minutesToDegrees(f[2], 2) * (f[3] == "S" ? -1 : 1);
    const double lon = minutesToDegrees(f[4], 3) * (f[5] == "W" ? -1 : 1);
    return {lat, lon};
}

// The receiving program's odometer step: the spherical law of cosines.
double odometerStepKm(GeoPoint a, GeoPoint b)
{
    constexpr double r = std::numbers::pi / 180;
    const double c = std::sin(a.latitude * r) * std::sin(b.latitude * r) +
                     std::cos(a.latitude * r) * std::cos(b.latitude * r) *
                         std::cos((a.longitude - b.longitude) * r);
    return std::acos(std::clamp(c, -1.0, 1.0)) * 3437.7467707849392526 * 1.852;
}

TEST(WaypointDriveTest, NorthwardLegIsTheMinutesOfLatitude)
{
    // Six minutes of latitude: 6 nautical miles.
    WaypointDrive drive({{51.0, 7.0}, {51.1, 7.0}}, 60.0, Start);
    EXPECT_NEAR(drive.lengthKm(), 6 * KmPerMinute, 1e-9);
    const std::vector<DriveFix> fixes = drive.fixes();
    // 11.112 km at 60 km/h: 666.72 s, so fixes at 0..666 moving and one standing at 667.
    ASSERT_EQ(fixes.size(), 668u);
    EXPECT_NEAR(fixes[0].courseDegrees, 0.0, 1e-9);
    EXPECT_NEAR(fixes[0].speedKnots, 60.0 / 1.852, 1e-9);
    EXPECT_EQ(fixes.back().speedKnots, 0.0);
    EXPECT_DOUBLE_EQ(fixes.back().position.latitude, 51.1);
    EXPECT_EQ(fixes.back().utc, Start.addSecs(667));
}

TEST(WaypointDriveTest, EveryFixIsOneSecondsTravelOn)
{
    const std::vector<GeoPoint> points{{51.3596, 7.2409}, {51.3650, 7.2500}, {51.3600, 7.2600}};
    WaypointDrive drive(points, 50.0, Start);
    const std::vector<DriveFix> fixes = drive.fixes();
    const double step = 50.0 / 3600;
    ASSERT_GT(fixes.size(), 10u);
    for (size_t i = 1; i + 1 < fixes.size(); ++i) {
        EXPECT_EQ(fixes[i - 1].utc.secsTo(fixes[i].utc), 1);
        const double straight = Sphere::distanceKm(fixes[i - 1].position, fixes[i].position);
        // Across the corner the straight line is shorter than the road; the road is exact.
        const double viaCorner = Sphere::distanceKm(fixes[i - 1].position, points[1]) +
                                 Sphere::distanceKm(points[1], fixes[i].position);
        EXPECT_TRUE(std::fabs(straight - step) < 1e-9 || std::fabs(viaCorner - step) < 1e-9)
            << "fix " << i;
    }
    EXPECT_NEAR(fixes[5].courseDegrees, Sphere::courseDegrees(points[0], points[1]), 1e-9);
    EXPECT_NEAR(fixes[fixes.size() - 2].courseDegrees, Sphere::courseDegrees(points[1], points[2]),
                1e-9);
}

TEST(WaypointDriveTest, OdometerOfTheSentencesMatchesTheDrive)
{
    const std::vector<GeoPoint> points{
        {51.3596, 7.2409}, {51.3650, 7.2500}, {51.3600, 7.2600}, {51.3596, 7.2409}};
    WaypointDrive drive(points, 50.0, Start);
    const QList<QByteArray> lines = drive.nmeaLog().split('\n');
    double km = 0;
    std::optional<GeoPoint> last;
    int ggaCount = 0;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        ASSERT_TRUE(line.endsWith('\r'));
        ASSERT_TRUE(NmeaSentence::valid(line)) << line.constData();
        if (!line.startsWith("$GPGGA"))
            continue;
        ++ggaCount;
        const GeoPoint p = ggaPosition(line);
        if (last)
            km += odometerStepKm(*last, p);
        last = p;
    }
    EXPECT_EQ(size_t(ggaCount), drive.fixes().size());
    // Corners cut by the once-a-second fixes cost a little; the rounding of the minutes
    // less than a metre a fix.
    EXPECT_NEAR(km, drive.lengthKm(), 0.01);
    EXPECT_LE(km, drive.lengthKm() + 0.001);
}

TEST(WaypointDriveTest, SentencesTellTheFixes)
{
    WaypointDrive drive({{-33.86, 151.2}, {-33.87, 151.21}}, 36.0, Start);
    const std::vector<DriveFix> fixes = drive.fixes();
    const QByteArray log = drive.nmeaLog();
    const QList<QByteArray> lines = log.split('\n');
    ASSERT_EQ(size_t(lines.size()), fixes.size() * 2 + 1);
    for (size_t i = 0; i < fixes.size(); ++i) {
        const GeoPoint p = ggaPosition(lines[int(2 * i)]);
        // Four decimals of a minute: within a fifth of a metre.
        EXPECT_LT(Sphere::distanceKm(p, fixes[i].position), 0.0002);
        EXPECT_TRUE(lines[int(2 * i + 1)].startsWith("$GPRMC"));
    }
    EXPECT_TRUE(lines[0].contains(",S,") && lines[0].contains(",E,"));
    EXPECT_TRUE(lines[1].contains(",019.4,")); // 36 km/h in knots
}

TEST(WaypointDriveTest, ClockRunsOverMidnightIntoTheNextDate)
{
    WaypointDrive drive({{51.0, 7.0}, {51.01, 7.0}}, 100.0,
                        QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58), Qt::UTC));
    const QList<QByteArray> lines = drive.nmeaLog().split('\n');
    EXPECT_TRUE(lines[1].contains(",235958,") && lines[1].contains(",311224,"));
    EXPECT_TRUE(lines[5].contains(",000000,") && lines[5].contains(",010125,"));
}

TEST(WaypointDriveTest, OneWaypointStandsStill)
{
    const std::vector<DriveFix> fixes = WaypointDrive({{51.0, 7.0}}, 50.0, Start).fixes();
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_EQ(fixes[0].speedKnots, 0.0);
}

TEST(WaypointDriveTest, NoFixesWithoutSpeedOrForAnEndlessDrive)
{
    EXPECT_TRUE(WaypointDrive({{51.0, 7.0}, {52.0, 7.0}}, 0.0, Start).fixes().empty());
    EXPECT_TRUE(WaypointDrive({{51.0, 7.0}, {52.0, 7.0}}, std::nan(""), Start).fixes().empty());
    EXPECT_TRUE(WaypointDrive({{0.0, 0.0}, {0.0, 179.0}}, 0.01, Start).fixes().empty());
}

TEST(WaypointDriveTest, WaypointLines)
{
    QString error;
    const auto points = WaypointDrive::parseWaypoints(
        "# the drive\n51.3596 7.2409\r\n\n  51.3650,7.2500   # corner\n-33.5 -70.25\n", &error);
    ASSERT_TRUE(points) << error.toStdString();
    ASSERT_EQ(points->size(), 3u);
    EXPECT_DOUBLE_EQ((*points)[1].longitude, 7.25);
    EXPECT_DOUBLE_EQ((*points)[2].latitude, -33.5);
}

TEST(WaypointDriveTest, BadWaypointLinesAreNamed)
{
    QString error;
    EXPECT_FALSE(WaypointDrive::parseWaypoints("51 7\n51 x\n", &error));
    EXPECT_EQ(error, "line 2: expected \"latitude longitude\"");
    EXPECT_FALSE(WaypointDrive::parseWaypoints("51 7 3\n", &error));
    EXPECT_FALSE(WaypointDrive::parseWaypoints("95 7\n", &error));
    EXPECT_FALSE(WaypointDrive::parseWaypoints("nan 7\n", &error));
    EXPECT_FALSE(WaypointDrive::parseWaypoints("51 inf\n", &error));
    EXPECT_FALSE(WaypointDrive::parseWaypoints("# nothing\n", &error));
    EXPECT_EQ(error, "no waypoints");
}

} // namespace
