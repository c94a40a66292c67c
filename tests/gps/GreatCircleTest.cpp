#include "gps/GreatCircle.h"

#include "CameraTestData.h"

#include <gtest/gtest.h>

using namespace CameraTestData;

TEST(GreatCircle, OneDegreeOfLatitudeIsSixtyNauticalMiles)
{
    const auto a = GreatCircle::fromDecimal(51.0, 7.0);
    const auto b = GreatCircle::fromDecimal(52.0, 7.0);
    const double d = GreatCircle::centralAngle(a, b);
    EXPECT_NEAR(GreatCircle::distanceKm(d), 60 * 1.852, 1e-9);
    EXPECT_NEAR(GreatCircle::courseDegrees(a, b, d), 0.0, 1e-9);
    EXPECT_NEAR(GreatCircle::courseDegrees(b, a, d), 180.0, 1e-9);
}

TEST(GreatCircle, CoursesRoundTheCompass)
{
    const auto o = GreatCircle::fromDecimal(0.0, 10.0);
    const auto course = [&](double lat, double lon) {
        const auto p = GreatCircle::fromDecimal(lat, lon);
        return GreatCircle::courseDegrees(o, p, GreatCircle::centralAngle(o, p));
    };
    EXPECT_NEAR(course(0.0, 10.5), 90.0, 1e-9);   // east
    EXPECT_NEAR(course(0.0, 9.5), 270.0, 1e-9);   // west
    EXPECT_NEAR(course(-0.5, 10.0), 180.0, 1e-9); // south
    EXPECT_NEAR(course(0.5, 10.5), 45.0, 0.01);
}

TEST(GreatCircle, AFixConvertsLikeItsDecimalDegrees)
{
    NavFix fix{51, 7, 21.5792, 14.4555};
    const auto f = GreatCircle::fromFix(fix);
    const auto d = GreatCircle::fromDecimal(51 + 21.5792 / 60, 7 + 14.4555 / 60);
    EXPECT_NEAR(f.lat, d.lat, 1e-15);
    EXPECT_NEAR(f.lon, d.lon, 1e-15);
    EXPECT_LT(f.lon, 0.0); // east is negative for the formulas
    // South and west carry their sign in degrees and minutes alike.
    const auto s = GreatCircle::fromDecimal(-0.5, -0.25);
    EXPECT_NEAR(s.lat, -30 * GreatCircle::RadiansPerMinute, 1e-15);
    EXPECT_NEAR(s.lon, 15 * GreatCircle::RadiansPerMinute, 1e-15);
}

// Rounding can push the cosine of a tiny angle past 1: the point measures 0 instead of
// failing, and its course is 0.
TEST(GreatCircle, TheSamePlaceIsZeroKilometresAway)
{
    for (double lat : {51.359633, -33.87, 0.0000001, 89.9}) {
        const auto a = GreatCircle::fromDecimal(lat, 7.240867);
        const double d = GreatCircle::centralAngle(a, a);
        EXPECT_EQ(d, 0.0);
        EXPECT_EQ(GreatCircle::courseDegrees(a, a, d), 0.0);
    }
}

TEST(GreatCircle, ACameraStraightBehindLiesSouthNotNorth)
{
    // Same longitude, a little south: the course formula's argument sits at -1, where
    // rounding may carry it past. The formula is coarse over a few metres.
    for (double km : {0.001, 0.2, 0.9, 5.0}) {
        const NavFix fix = fixAt(51.359633, 7.240867);
        const CameraRecord c = cameraFrom(fix, km, 180.0, 50);
        const auto a = GreatCircle::fromFix(fix);
        const auto b = GreatCircle::fromDecimal(c.Latitude, longitudeOf(fix));
        EXPECT_NEAR(GreatCircle::courseDegrees(a, b, GreatCircle::centralAngle(a, b)), 180.0,
                    km < 0.01 ? 10.0 : 0.02)
            << km;
    }
}

TEST(GreatCircle, CoursesStayBelow360)
{
    const auto a = GreatCircle::fromDecimal(51.0, 7.0);
    const auto b = GreatCircle::fromDecimal(51.5, 7.0);
    const double c = GreatCircle::courseDegrees(a, b, GreatCircle::centralAngle(a, b));
    EXPECT_GE(c, 0.0);
    EXPECT_LT(c, 360.0);
}
