#include "gps/NavFormula.h"
#include "gps/FixUpdate.h"
#include "gps/Tgps_gga.h"

#include "CameraTestData.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace CameraTestData;

namespace {

NavFormula::Angles at(double latDeg, double lonDegEast)
{
    return NavFormula::Nav2Rad_Angle(NavFormula::fromDecimal(latDeg, lonDegEast));
}

NavFormula::Point pointAt(double latDeg, double lonDegEast)
{
    return NavFormula::pointOfDegrees(latDeg, lonDegEast);
}

double angle(const NavFormula::Point &a, const NavFormula::Point &b)
{
    const std::optional<double> d = NavFormula::centralAngle(a, b);
    EXPECT_TRUE(d);
    return d.value_or(0.0);
}

double course(const NavFormula::Point &a, const NavFormula::Point &b)
{
    return NavFormula::courseDegrees(a, b, angle(a, b));
}

Tgps_gga sentence(const QString &line)
{
    Tgps_gga gga;
    gga.GPSDataLine = line;
    gga.ParseLine();
    return gga;
}

} // namespace

TEST(NavFormula, AnglesAreNorthAndWestPositive)
{
    const NavFormula::Angles a = NavFormula::Nav2Rad_Angle({51, 7, 21.5792, 14.4555});
    EXPECT_DOUBLE_EQ(a.lat, (51 * 60 + 21.5792) * 0.0002908882086657216);
    EXPECT_DOUBLE_EQ(a.lon, -(7 * 60 + 14.4555) * 0.0002908882086657216);
    const NavFix south = NavFormula::fromDecimal(-33.5, -70.25);
    EXPECT_EQ(south.LatDegrees, -33);
    EXPECT_DOUBLE_EQ(south.LatMinutes, -30.0);
    EXPECT_EQ(south.LonDegrees, -70);
    EXPECT_DOUBLE_EQ(south.LonMinutes, -15.0);
}

TEST(NavFormula, AFixConvertsLikeItsDecimalDegrees)
{
    NavFix fix{51, 7, 21.5792, 14.4555};
    const auto f = NavFormula::pointOfFix(fix);
    const auto d = pointAt(51 + 21.5792 / 60, 7 + 14.4555 / 60);
    EXPECT_NEAR(f.lat, d.lat, 1e-15);
    EXPECT_NEAR(f.lon, d.lon, 1e-15);
    EXPECT_LT(f.lon, 0.0); // east is negative for the formulas
    // South and west carry their sign in degrees and minutes alike.
    const auto s = pointAt(-0.5, -0.25);
    EXPECT_NEAR(s.lat, -30 * NavFormula::RadiansPerMinute, 1e-15);
    EXPECT_NEAR(s.lon, 15 * NavFormula::RadiansPerMinute, 1e-15);
    // Decimal degrees make the same point by either way.
    for (const auto &[lat, lon] :
         {std::pair{51.359633, 7.240867}, {-33.87, -70.25}, {0.5, 179.9}}) {
        const NavFormula::Point p = NavFormula::point(at(lat, lon));
        const NavFormula::Point q = pointAt(lat, lon);
        EXPECT_EQ(p.lat, q.lat);
        EXPECT_EQ(p.lon, q.lon);
        EXPECT_EQ(p.sinLat, std::sin(p.lat));
        EXPECT_EQ(p.cosLat, std::cos(p.lat));
    }
}

// The fix update measures angles, the camera check points whose sines it keeps: both
// are the same formula and must agree to the last bit.
TEST(NavFormula, PointsAndAnglesMeasureAlike)
{
    const NavFormula::Angles here = at(51.359633, 7.240867);
    for (int i = 0; i < 360; ++i) {
        const double rad = i * M_PI / 180.0;
        const NavFormula::Angles there =
            at(51.359633 + 0.01 * std::cos(rad), 7.240867 + 0.01 * std::sin(rad));
        const NavFormula::Point a = NavFormula::point(here);
        const NavFormula::Point b = NavFormula::point(there);
        EXPECT_EQ(NavFormula::centralAngle(here, there), NavFormula::centralAngle(a, b));
        EXPECT_EQ(NavFormula::courseDegrees(here, there), course(a, b)) << i;
    }
}

TEST(NavFormula, OneMinuteOfLatitudeIsOneNauticalMile)
{
    const auto d = NavFormula::centralAngle(NavFormula::Nav2Rad_Angle({50, 7, 0.0, 0.0}),
                                            NavFormula::Nav2Rad_Angle({50, 7, 1.0, 0.0}));
    ASSERT_TRUE(d);
    EXPECT_NEAR(NavFormula::kilometres(*d), 1.852, 1e-6);
    // A degree of longitude on the equator: 60 nautical miles.
    const auto e = NavFormula::centralAngle(at(0, 10), at(0, 11));
    ASSERT_TRUE(e);
    EXPECT_NEAR(NavFormula::kilometres(*e), 111.12, 1e-6);
}

TEST(NavFormula, OneDegreeOfLatitudeIsSixtyNauticalMiles)
{
    const auto a = pointAt(51.0, 7.0);
    const auto b = pointAt(52.0, 7.0);
    const double d = angle(a, b);
    EXPECT_NEAR(NavFormula::kilometres(d), 60 * 1.852, 1e-9);
    EXPECT_NEAR(NavFormula::courseDegrees(a, b, d), 0.0, 1e-9);
    EXPECT_NEAR(NavFormula::courseDegrees(b, a, d), 180.0, 1e-9);
}

// Rounding can push the cosine of a tiny angle past 1: the point measures 0 instead of
// failing, and its course is 0.
TEST(NavFormula, IdenticalPointsAreZeroApart)
{
    for (double lat : {51.359653, 51.359633, -33.9, -33.87, 0.1, 0.0000001, 89.9, 89.99}) {
        const auto d = NavFormula::centralAngle(at(lat, 7.24), at(lat, 7.24));
        ASSERT_TRUE(d) << lat;
        EXPECT_EQ(*d, 0.0);
        EXPECT_EQ(NavFormula::courseDegrees(at(lat, 7.24), at(lat, 7.24)), 0.0);
        const auto p = pointAt(lat, 7.240867);
        EXPECT_EQ(angle(p, p), 0.0);
        EXPECT_EQ(NavFormula::courseDegrees(p, p, 0.0), 0.0);
    }
    EXPECT_FALSE(NavFormula::centralAngle(NavFormula::Angles{NAN, 0}, {0, 0}));
    EXPECT_FALSE(NavFormula::centralAngle(pointAt(NAN, 0), pointAt(0, 0)));
}

TEST(NavFormula, CoursesOfTheFourDirections)
{
    const NavFormula::Angles here = at(51.0, 7.0);
    EXPECT_NEAR(std::remainder(NavFormula::courseDegrees(here, at(51.01, 7.0)), 360.0), 0, 0.01);
    EXPECT_NEAR(NavFormula::courseDegrees(here, at(51.0, 7.01)), 90.0, 0.01);
    EXPECT_NEAR(NavFormula::courseDegrees(here, at(50.99, 7.0)), 180.0, 0.01);
    EXPECT_NEAR(NavFormula::courseDegrees(here, at(51.0, 6.99)), 270.0, 0.01);
    EXPECT_NEAR(NavFormula::courseDegrees(here, at(51.01, 7.01)), 32.2, 0.1);
    EXPECT_NEAR(NavFormula::courseDegrees(here, at(50.99, 6.99)), 212.2, 0.1);
    // On the equator the compass points come out exactly.
    const auto o = pointAt(0.0, 10.0);
    EXPECT_NEAR(course(o, pointAt(0.0, 10.5)), 90.0, 1e-9);   // east
    EXPECT_NEAR(course(o, pointAt(0.0, 9.5)), 270.0, 1e-9);   // west
    EXPECT_NEAR(course(o, pointAt(-0.5, 10.0)), 180.0, 1e-9); // south
    EXPECT_NEAR(course(o, pointAt(0.5, 10.5)), 45.0, 0.01);
}

TEST(NavFormula, ACameraStraightBehindLiesSouthNotNorth)
{
    // Same longitude, a little south: the course formula's argument sits at -1, where
    // rounding may carry it past. The formula is coarse over a few metres.
    for (double km : {0.001, 0.2, 0.9, 5.0}) {
        const NavFix fix = fixAt(51.359633, 7.240867);
        const CameraRecord c = cameraFrom(fix, km, 180.0, 50);
        const auto a = NavFormula::pointOfFix(fix);
        const auto b = pointAt(c.Latitude, longitudeOf(fix));
        EXPECT_NEAR(course(a, b), 180.0, km < 0.01 ? 10.0 : 0.02) << km;
    }
}

TEST(NavFormula, CoursesStayBelow360)
{
    for (int i = 0; i < 3600; ++i) {
        const double rad = i * M_PI / 1800.0;
        const double c = NavFormula::courseDegrees(
            at(48.0, 11.0), at(48.0 + 0.001 * std::cos(rad), 11.0 + 0.001 * std::sin(rad)));
        EXPECT_GE(c, 0.0);
        EXPECT_LT(c, 360.0);
    }
    const double fromPole = NavFormula::courseDegrees(at(90.0, 0.0), at(89.0, 0.0));
    EXPECT_GE(fromPole, 0.0);
    EXPECT_LT(fromPole, 360.0);
    // Straight north the arc cosine's argument is 1: a full circle, which is 0.
    const double north = course(pointAt(51.0, 7.0), pointAt(51.5, 7.0));
    EXPECT_GE(north, 0.0);
    EXPECT_LT(north, 360.0);
}

TEST(FixUpdate, FirstFixAddsNothingAndKeepsTheCourse)
{
    GpsValues gps;
    gps.ComputedCourse = 42.0;
    double trip = 100.0;
    const auto step =
        FixUpdate::apply(sentence("$GPGGA,1,5121.5792,N,00714.4555,E,1,07,1,153.8"), gps, trip);
    ASSERT_TRUE(step);
    EXPECT_EQ(*step, 0.0);
    EXPECT_EQ(trip, 100.0);
    EXPECT_EQ(gps.ComputedCourse, 42.0);
    EXPECT_EQ(gps.CurrentFix, (NavFix{51, 7, 21.5792, 14.4555}));
    EXPECT_EQ(gps.PreviousFix, gps.CurrentFix);
    EXPECT_DOUBLE_EQ(gps.DecimalLatitude, 51 + 21.5792 / 60);
    EXPECT_DOUBLE_EQ(gps.DecimalLongitude, 7 + 14.4555 / 60);
    EXPECT_FALSE(gps.Stationary);
}

TEST(FixUpdate, SouthAndWestAreNegative)
{
    GpsValues gps;
    double trip = 0;
    FixUpdate::apply(sentence("$GPGGA,1,3330.0000,S,07015.0000,W,1,07,1,1"), gps, trip);
    EXPECT_EQ(gps.CurrentFix, (NavFix{-33, -70, -30.0, -15.0}));
    EXPECT_DOUBLE_EQ(gps.DecimalLatitude, -33.5);
    EXPECT_DOUBLE_EQ(gps.DecimalLongitude, -70.25);
    // Any letter but N and E counts as south and west (the parser lets through only N,
    // S, E and W).
    Tgps_gga odd = sentence("$GPGGA,1,3330.0000,N,07015.0000,E,1,07,1,1");
    odd.dLatNS = "n";
    odd.dLonEW = "x";
    FixUpdate::apply(odd, gps, trip);
    EXPECT_EQ(gps.CurrentFix, (NavFix{-33, -70, -30.0, -15.0}));
}

TEST(FixUpdate, MovingNorthAddsTheDistanceAndTheCourse)
{
    GpsValues gps;
    double trip = 10.0;
    FixUpdate::apply(sentence("$GPGGA,1,5000.0000,N,00700.0000,E,1,07,1,1"), gps, trip);
    const auto step =
        FixUpdate::apply(sentence("$GPGGA,2,5001.0000,N,00700.0000,E,1,07,1,1"), gps, trip);
    ASSERT_TRUE(step);
    EXPECT_NEAR(*step, 1.852, 1e-6);
    EXPECT_NEAR(trip, 11.852, 1e-6);
    // Straight north: the arc cosine of nearly 1 leaves a few thousandths of a degree.
    EXPECT_NEAR(std::remainder(gps.ComputedCourse, 360.0), 0.0, 0.01);
    FixUpdate::apply(sentence("$GPGGA,3,5000.0000,N,00700.0000,E,1,07,1,1"), gps, trip);
    EXPECT_NEAR(gps.ComputedCourse, 180.0, 0.01); // due south, not "no course"
    EXPECT_NEAR(trip, 13.704, 1e-6);
}

TEST(FixUpdate, TwoIdenticalFixesStandStill)
{
    GpsValues gps;
    double trip = 5.0;
    const Tgps_gga gga = sentence("$GPGGA,1,5121.5778,N,00714.4522,E,1,06,1,153");
    FixUpdate::apply(gga, gps, trip);
    FixUpdate::apply(sentence("$GPGGA,1,5121.5790,N,00714.4529,E,1,06,1,153"), gps, trip);
    ASSERT_NE(gps.ComputedCourse, 0.0);
    FixUpdate::apply(gga, gps, trip);
    const double tripBefore = trip;
    const auto step = FixUpdate::apply(gga, gps, trip);
    ASSERT_TRUE(step);
    EXPECT_TRUE(gps.Stationary);
    EXPECT_EQ(*step, 0.0);
    EXPECT_EQ(trip, tripBefore);
    EXPECT_EQ(gps.ComputedCourse, 0.0);
}

TEST(FixUpdate, LatitudeDegreesZeroCountAsNoPreviousFix)
{
    GpsValues gps;
    double trip = 0.0;
    FixUpdate::apply(sentence("$GPGGA,1,0030.0000,N,03000.0000,E,1,06,1,1"), gps, trip);
    gps.ComputedCourse = 77.0;
    const auto step =
        FixUpdate::apply(sentence("$GPGGA,2,0130.0000,N,03000.0000,E,1,06,1,1"), gps, trip);
    ASSERT_TRUE(step);
    EXPECT_EQ(*step, 0.0); // a degree apart, but no step and no course
    EXPECT_EQ(gps.ComputedCourse, 77.0);
    EXPECT_EQ(trip, 0.0);
}
