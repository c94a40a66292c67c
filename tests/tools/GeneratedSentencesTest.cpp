// The generated drive as the program's own sentence parsers read it.
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"
#include "NmeaSentence.h"
#include "WaypointDrive.h"

#include <gtest/gtest.h>

#include <QList>

#include <cmath>

namespace {

TEST(GeneratedSentencesTest, EveryFixReadsBackThroughTheProgramsParsers)
{
    WaypointDrive drive({{51.3596, 7.2409}, {51.3660, 7.2480}}, 50.0,
                        QDateTime(QDate(2024, 5, 18), QTime(9, 30), Qt::UTC));
    Tgps_gga gga;
    Tgps_rmc rmc;
    for (const DriveFix &fix : drive.fixes()) {
        gga.GPSDataLine = QString::fromLatin1(NmeaSentence::gga(fix));
        gga.ParseLine();
        ASSERT_TRUE(gga.fixValid()) << gga.GPSDataLine.toStdString();
        const double lat = gga.dLatDegree + gga.dLatMin / 60;
        const double lon = gga.dLonDegree + gga.dLonMin / 60;
        EXPECT_NEAR(lat, fix.position.latitude, 1e-6);
        EXPECT_NEAR(lon, fix.position.longitude, 1e-6);
        EXPECT_EQ(gga.dLatNS, "N");
        EXPECT_EQ(gga.dLonEW, "E");
        EXPECT_EQ(gga.SatNum, "08");
        EXPECT_EQ(gga.UTCTime, fix.utc.toString("HHmmss"));
        EXPECT_DOUBLE_EQ(gga.dUNN, 153.8);

        rmc.GPSDataLine = QString::fromLatin1(NmeaSentence::rmc(fix));
        rmc.ParseLine();
        EXPECT_NEAR(rmc.sog, fix.speedKnots, 0.05);
        EXPECT_NEAR(rmc.cog.toDouble(), fix.courseDegrees, 0.05);
        EXPECT_EQ(rmc.GPSDate, "180524");
    }
}

TEST(GeneratedSentencesTest, SouthAndWestKeepTheirDegreeDigits)
{
    DriveFix fix;
    fix.utc = QDateTime(QDate(2024, 5, 18), QTime(9, 30), Qt::UTC);
    fix.position = {-(33 + 52.1234 / 60), -(151 + 12.5 / 60)};
    Tgps_gga gga;
    gga.GPSDataLine = QString::fromLatin1(NmeaSentence::gga(fix));
    gga.ParseLine();
    ASSERT_TRUE(gga.fixValid());
    EXPECT_EQ(gga.dLatDegree, 33);
    EXPECT_NEAR(gga.dLatMin, 52.1234, 1e-9);
    EXPECT_EQ(gga.dLatNS, "S");
    EXPECT_EQ(gga.dLonDegree, 151);
    EXPECT_NEAR(gga.dLonMin, 12.5, 1e-9);
    EXPECT_EQ(gga.dLonEW, "W");
}

} // namespace
