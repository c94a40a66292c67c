#include "gps/NmeaField.h"
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

const QString Gga = "$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A";
const QString Rmc = "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68";

Tgps_gga parsed(const QString &line)
{
    Tgps_gga gga;
    gga.GPSDataLine = line;
    gga.ParseLine();
    return gga;
}

} // namespace

TEST(NmeaField, IntegersAreSignAndDigitsOnly)
{
    EXPECT_EQ(NmeaField::integer(u"007"), 7);
    EXPECT_EQ(NmeaField::integer(u"-12"), -12);
    EXPECT_EQ(NmeaField::integer(u"+3"), 3);
    EXPECT_EQ(NmeaField::integer(u"2147483647"), 2147483647);
    EXPECT_EQ(NmeaField::integer(u"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(NmeaField::integer(u"2147483648"));
    EXPECT_FALSE(NmeaField::integer(u"99999999999999999999"));
    for (const char16_t *bad : {u"", u"-", u"M", u"1.5", u" 1", u"1 ", u"$1A", u"0x1"})
        EXPECT_FALSE(NmeaField::integer(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(NmeaField, DecimalsReadADotWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"21.5792"), 21.5792);
    QLocale::setDefault(QLocale::c());
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"00153.8"), 153.8);
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"-1.5"), -1.5);
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"+.5"), 0.5);
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"7."), 7.0);
    EXPECT_DOUBLE_EQ(*NmeaField::decimal(u"1e3"), 1000.0);
    for (const char16_t *bad :
         {u"", u".", u"-", u"1,5", u"1.2.3", u"inf", u"nan", u"1e", u"1e999", u"M", u"12*4A"})
        EXPECT_FALSE(NmeaField::decimal(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(Tgps_gga, StartsWithTheStoredSentenceAndParsesIt)
{
    Tgps_gga gga;
    EXPECT_EQ(gga.GPSDataLine, Gga);
    EXPECT_EQ(gga.dLatDegree, 0);
    EXPECT_EQ(gga.dLonDegree, 0);
    gga.ParseLine();
    EXPECT_EQ(gga.UTCTime, "214949");
    EXPECT_EQ(gga.SatNum, "07");
    EXPECT_EQ(gga.dLatDegree, 51);
    EXPECT_DOUBLE_EQ(gga.dLatMin, 21.5792);
    EXPECT_EQ(gga.dLatNS, "N");
    EXPECT_EQ(gga.dLonDegree, 7);
    EXPECT_DOUBLE_EQ(gga.dLonMin, 14.4555);
    EXPECT_EQ(gga.dLonEW, "E");
    EXPECT_DOUBLE_EQ(gga.dUNN, 153.8);
    EXPECT_TRUE(gga.fixValid());
}

TEST(Tgps_gga, OtherSentencesAreNotParsed)
{
    Tgps_gga gga = parsed(Gga);
    gga.GPSDataLine = Rmc;
    gga.ParseLine();
    EXPECT_EQ(gga.UTCTime, "214949");
    EXPECT_FALSE(gga.fixValid());
    // The tag may stand anywhere in the line.
    gga.GPSDataLine = "xx$GPGGA,101010,4000.0000,S,07000.0000,W,1,05,1.0,10.0,M,,M,,*00";
    gga.ParseLine();
    EXPECT_EQ(gga.UTCTime, "101010");
    EXPECT_EQ(gga.dLatNS, "S");
}

TEST(Tgps_gga, ACutSentenceKeepsTheEarlierValues)
{
    Tgps_gga gga = parsed(Gga);
    gga.GPSDataLine = "$GPGGA,2150";
    gga.ParseLine();
    EXPECT_EQ(gga.UTCTime, "2150"); // the partial time
    EXPECT_EQ(gga.SatNum, "07");    // stopped at the missing satellite field
    EXPECT_EQ(gga.dLatDegree, 51);
    EXPECT_FALSE(gga.fixValid());
}

TEST(Tgps_gga, AFixOfQualityZeroIsNoFix)
{
    const Tgps_gga zeros =
        parsed("$GPGGA,000000,0000.0000,N,00000.0000,E,0,00,99.9,00000.0,M,0.0,M,,*4A");
    EXPECT_EQ(zeros.dLatDegree, 0);
    EXPECT_DOUBLE_EQ(zeros.dLatMin, 0.0);
    EXPECT_EQ(zeros.SatNum, "00");
    EXPECT_FALSE(zeros.fixValid());
    EXPECT_TRUE(
        parsed("$GPGGA,000000,5000.0000,N,00700.0000,E,2,05,1.0,100.0,M,0.0,M,,*4A").fixValid());
    EXPECT_FALSE(
        parsed("$GPGGA,000000,5000.0000,N,00700.0000,E,X,05,1.0,100.0,M,0.0,M,,*4A").fixValid());
}

TEST(Tgps_rmc, TheExampleSentence)
{
    Tgps_rmc rmc;
    rmc.GPSDataLine = Rmc;
    rmc.ParseLine();
    EXPECT_DOUBLE_EQ(rmc.sog, 90.0);
    EXPECT_EQ(rmc.cog, "054.7");
    EXPECT_EQ(rmc.GPSDate, "191194");
}

TEST(Tgps_rmc, PartialAndBadSentences)
{
    Tgps_rmc rmc;
    rmc.GPSDataLine = Rmc;
    rmc.ParseLine();
    rmc.GPSDataLine = "$GPRMC,211820,A,4916.45,N,12311.12,W,fast,123.0";
    rmc.ParseLine();
    EXPECT_DOUBLE_EQ(rmc.sog, 0.0); // unreadable speed reads 0
    EXPECT_EQ(rmc.cog, "123.0");
    EXPECT_EQ(rmc.GPSDate, "191194"); // missing date: kept
    rmc.GPSDataLine = "$GPRMC";
    rmc.ParseLine();
    EXPECT_EQ(rmc.cog, "123.0");
    rmc.GPSDataLine = Gga; // not an RMC sentence
    rmc.ParseLine();
    EXPECT_EQ(rmc.cog, "123.0");
    // Empty fields of a receiver without a fix shift the rest.
    rmc.GPSDataLine = "$GPRMC,002153,V,,,,,,,010125,,,N*4C";
    rmc.ParseLine();
    EXPECT_EQ(rmc.cog, "123.0");
}
