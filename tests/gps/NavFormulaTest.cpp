#include "gps/NavFormula.h"
#include "gps/FixUpdate.h"
#include "gps/Tgps_gga.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

NavFormula::Angles at(double latDeg, double lonDegEast)
{
    return NavFormula::Nav2Rad_Angle(NavFormula::fromDecimal(latDeg, lonDegEast));
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

TEST(NavFormula, IdenticalPointsAreZeroApart)
{
    for (double lat : {51.359653, -33.9, 0.1, 89.99}) {
        const auto d = NavFormula::centralAngle(at(lat, 7.24), at(lat, 7.24));
        ASSERT_TRUE(d) << lat;
        EXPECT_EQ(*d, 0.0);
        EXPECT_EQ(NavFormula::courseDegrees(at(lat, 7.24), at(lat, 7.24)), 0.0);
    }
    EXPECT_FALSE(NavFormula::centralAngle({NAN, 0}, {0, 0}));
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
    // Any letter but N and E counts as south and west.
    FixUpdate::apply(sentence("$GPGGA,1,3330.0000,n,07015.0000,x,1,07,1,1"), gps, trip);
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
