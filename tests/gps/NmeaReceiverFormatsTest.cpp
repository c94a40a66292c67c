// Sentences in the forms real receivers write them (u-blox, SiRF, Garmin, MTK, Trimble,
// NovAtel): other talkers, 2 to 7 decimals of minutes, empty fields, the no-fix forms.
// Checksums are worked out by hand from the bytes.
#include "gps/NmeaField.h"
#include "gps/NmeaFrame.h"
#include "gps/TalkerChoice.h"
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"

#include <gtest/gtest.h>

namespace {

Tgps_gga parsedGga(const QString &line)
{
    Tgps_gga gga;
    gga.GPSDataLine = line;
    gga.ParseLine();
    return gga;
}

Tgps_rmc parsedRmc(const QString &line)
{
    Tgps_rmc rmc;
    rmc.GPSDataLine = line;
    rmc.ParseLine();
    return rmc;
}

double latitudeOf(const Tgps_gga &g)
{
    return (g.dLatNS == "S" ? -1 : 1) * (g.dLatDegree + g.dLatMin / 60.0);
}
double longitudeOf(const Tgps_gga &g)
{
    return (g.dLonEW == "W" ? -1 : 1) * (g.dLonDegree + g.dLonMin / 60.0);
}

// A millimetre in degrees of latitude.
constexpr double Millimetre = 0.001 / 111320.0;

std::string text(const char16_t *s) { return QString::fromUtf16(s).toStdString(); }

} // namespace

TEST(NmeaPosition, AnyPrecisionOfMinutes)
{
    struct Case {
        const char16_t *field;
        bool latitude;
        qint32 degrees;
        double minutes;
    };
    const Case cases[] = {{u"5121.5792", true, 51, 21.5792},
                          {u"00714.4555", false, 7, 14.4555},
                          {u"2037.72792", true, 20, 37.72792},
                          {u"08704.08478", false, 87, 4.08478},
                          {u"4916.45", true, 49, 16.45},
                          {u"12311.12", false, 123, 11.12},
                          {u"4807.038", true, 48, 7.038},
                          {u"5106.9847029", true, 51, 6.9847029},
                          {u"11402.2986286", false, 114, 2.2986286},
                          {u"0000.0000", true, 0, 0.0},
                          {u"9000.0000", true, 90, 0.0},
                          {u"18000.0", false, 180, 0.0},
                          {u"17959.999999", false, 179, 59.999999},
                          {u"5121.", true, 51, 21.0}};
    for (const Case &c : cases) {
        const auto p = c.latitude ? NmeaField::latitude(c.field) : NmeaField::longitude(c.field);
        ASSERT_TRUE(p) << text(c.field);
        EXPECT_EQ(p->degrees, c.degrees) << text(c.field);
        EXPECT_DOUBLE_EQ(p->minutes, c.minutes) << text(c.field);
    }
}

TEST(NmeaPosition, NoneFromFieldsOutOfShapeOrRange)
{
    for (const char16_t *bad : {u"", u"5121", u"512157", u".5", u"1.5", u"51a1.5792", u"5121.57x2",
                                u"-5121.5792", u"+5121.5792", u"5121.57.92", u" 5121.5792",
                                u"51215.792", u"9000.0001", u"9100.0000", u"4960.0000"})
        EXPECT_FALSE(NmeaField::latitude(bad)) << text(bad);
    for (const char16_t *bad : {u"", u"00714", u"1234567.0", u"18000.0001", u"18100.0", u"00760.0",
                                u"0071E.4555", u"00714,4555"})
        EXPECT_FALSE(NmeaField::longitude(bad)) << text(bad);
    // Three degree digits are a longitude's, never a latitude's.
    EXPECT_FALSE(NmeaField::latitude(u"05121.5792"));
    EXPECT_TRUE(NmeaField::longitude(u"05121.5792"));
}

TEST(NmeaFrame, TalkerTypeAndChecksum)
{
    const NmeaFrame ublox =
        NmeaFrame::of(u"$GNGGA,101520.00,2037.72792,N,08704.08478,W,1,12,0.78,12.4,M,-16.9,M,,*48");
    EXPECT_TRUE(ublox.is(QLatin1StringView("GGA")));
    EXPECT_FALSE(ublox.is(QLatin1StringView("RMC")));
    EXPECT_EQ(ublox.talker(), "GN");
    EXPECT_EQ(ublox.checksum(), NmeaFrame::Checksum::Good);
    EXPECT_EQ(ublox.fields().size(), 15); // empty fields keep their place
    EXPECT_EQ(ublox.fields().last(), "");
    EXPECT_EQ(NmeaFrame::of(u"$GPRMC,002153,V,,,,,,,010125,,,N*51").checksum(),
              NmeaFrame::Checksum::Good);
    // Lower-case digits are read too.
    EXPECT_EQ(NmeaFrame::of(u"$GPRMC,083559,A,4717.1143,N,00833.9152,E,,,091202,,,A*7f").checksum(),
              NmeaFrame::Checksum::Good);
    for (const char16_t *bad :
         {u"$GPGGA,123519,4807.039,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
          u"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*46",
          u"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4",
          u"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*",
          u"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47X",
          u"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*G7"})
        EXPECT_EQ(NmeaFrame::of(bad).checksum(), NmeaFrame::Checksum::Bad) << text(bad);
    EXPECT_EQ(NmeaFrame::of(u"$GPGGA,123519,4807.038,N").checksum(), NmeaFrame::Checksum::Absent);
}

TEST(NmeaFrame, WhatIsNoGgaOrRmc)
{
    for (const char *talker : {"GP", "GN", "GL", "GA", "GB", "BD", "GQ", "GI", "IN"})
        EXPECT_TRUE(NmeaFrame::of(QStringLiteral("$%1RMC,1").arg(QLatin1String(talker)))
                        .is(QLatin1StringView("RMC")))
            << talker;
    // A maker's own sentence, another type, no "$", lower case, a longer address.
    for (const char16_t *other : {u"$PGRMC,1", u"$PGRME,15.0,M", u"$GPGSA,A,3", u"GPGGA,1",
                                  u"$gpgga,1", u"$GPGGAX,1", u"$GPGG,1", u"$", u"", u"$1PGGA,1"})
        EXPECT_FALSE(NmeaFrame::of(other).is(QLatin1StringView("GGA")) ||
                     NmeaFrame::of(other).is(QLatin1StringView("RMC")))
            << text(other);
    // Noise before the sentence does no harm: it starts at its "$".
    const NmeaFrame noisy = NmeaFrame::of(u"\xff$G$GPRMC,002153,V,,,,,,,010125,,,N*51");
    EXPECT_TRUE(noisy.is(QLatin1StringView("RMC")));
    EXPECT_EQ(noisy.checksum(), NmeaFrame::Checksum::Good);
}

TEST(TalkerChoice, TheCombinedTalkerWinsAndAnotherTakesOverAfterSilence)
{
    TalkerChoice choice;
    EXPECT_TRUE(choice.accept("GP"));
    EXPECT_FALSE(choice.accept("GL"));
    EXPECT_TRUE(choice.accept("GP"));
    EXPECT_TRUE(choice.accept("GN")); // the combined one at once
    EXPECT_FALSE(choice.accept("GP"));
    EXPECT_TRUE(choice.accept("GN"));
    // GN gone (another receiver): GP takes over at its third sentence.
    EXPECT_FALSE(choice.accept("GP"));
    EXPECT_FALSE(choice.accept("GP"));
    EXPECT_TRUE(choice.accept("GP"));
    EXPECT_TRUE(choice.accept("GP"));
    EXPECT_EQ(choice.chosen(), "GP");
}

TEST(NmeaGga, ReceiversOfManyMakes)
{
    struct Case {
        const char *sentence;
        double latitude;
        double longitude;
        const char *satellites;
        double height;
    };
    const Case cases[] = {
        {"$GNGGA,101520.00,2037.72792,N,08704.08478,W,1,12,0.78,12.4,M,-16.9,M,,*48",
         20 + 37.72792 / 60, -(87 + 4.08478 / 60), "12", 12.4},
        {"$GPGGA,161229.487,3723.2475,N,12158.3416,W,1,07,1.0,9.0,M,,,,0000*18", 37 + 23.2475 / 60,
         -(121 + 58.3416 / 60), "07", 9.0},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", 48 + 7.038 / 60,
         11 + 31.0 / 60, "08", 545.4},
        {"$GPGGA,211819,4916.45,N,12311.12,W,1,05,2.1,10.0,M,,M,,*73", 49 + 16.45 / 60,
         -(123 + 11.12 / 60), "05", 10.0},
        {"$GPGGA,134658.00,5106.9847029,N,11402.2986286,W,2,09,1.0,1048.47,M,-16.27,M,08,AAAA*65",
         51 + 6.9847029 / 60, -(114 + 2.2986286 / 60), "09", 1048.47},
        {"$GLGGA,092725.00,4717.113993,S,00833.915904,E,1,06,1.01,499.6,M,48.0,M,,*53",
         -(47 + 17.113993 / 60), 8 + 33.915904 / 60, "06", 499.6},
        {"$GAGGA,092725.00,0000.5000,S,17959.9999,E,1,04,2.0,5.0,M,,M,,*70", -0.5 / 60,
         179 + 59.9999 / 60, "04", 5.0},
    };
    for (const Case &c : cases) {
        const Tgps_gga g = parsedGga(QString::fromLatin1(c.sentence));
        EXPECT_TRUE(g.fixValid()) << c.sentence;
        EXPECT_NEAR(latitudeOf(g), c.latitude, Millimetre) << c.sentence;
        EXPECT_NEAR(longitudeOf(g), c.longitude, Millimetre) << c.sentence;
        EXPECT_EQ(g.SatNum, c.satellites) << c.sentence;
        EXPECT_DOUBLE_EQ(g.dUNN, c.height) << c.sentence;
        EXPECT_EQ(g.talker(), QString::fromLatin1(c.sentence + 1, 2));
    }
}

TEST(NmeaGga, ABadPositionIsNoneAndKeepsTheLastOne)
{
    Tgps_gga gga = parsedGga("$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,,M,,");
    for (const char *bad : {"$GPGGA,120000,4830.0000,S,XX714.4555,E,1,09,01.1,00200.0,M",
                            "$GPGGA,120000,48AB.CDEF,N,00714.4555,E,1,09,01.1,00200.0,M",
                            "$GPGGA,120000,9130.0000,N,00714.4555,E,1,09,01.1,00200.0,M",
                            "$GPGGA,120000,4830.0000,X,00714.4555,E,1,09,01.1,00200.0,M",
                            "$GPGGA,120000,4830.0000,N,00714.4555,,1,09,01.1,00200.0,M"}) {
        gga.GPSDataLine = QString::fromLatin1(bad);
        gga.ParseLine();
        EXPECT_FALSE(gga.fixValid()) << bad;
        EXPECT_EQ(gga.UTCTime, "120000") << bad;
        EXPECT_EQ(gga.SatNum, "09") << bad;
        EXPECT_EQ(gga.dLatDegree, 51) << bad;
        EXPECT_DOUBLE_EQ(gga.dLatMin, 21.5792) << bad;
        EXPECT_EQ(gga.dLatNS, "N") << bad;
        EXPECT_EQ(gga.dLonDegree, 7) << bad;
        EXPECT_DOUBLE_EQ(gga.dLonMin, 14.4555) << bad;
        EXPECT_EQ(gga.dLonEW, "E") << bad;
        EXPECT_DOUBLE_EQ(gga.dUNN, 200.0) << bad;
    }
    gga.GPSDataLine = "$GPGGA,120000,4830.0000,N,00714.4555,E,1,09,01.1,high,M";
    gga.ParseLine();
    EXPECT_DOUBLE_EQ(gga.dUNN, 999999.0);
}

TEST(NmeaGga, NoFixForms)
{
    Tgps_gga gga = parsedGga("$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,,M,,");
    // Empty fields: the time and "00" satellites; the position and height stay.
    gga.GPSDataLine = "$GNGGA,002153.00,,,,,0,00,99.99,,,,,,*7D";
    gga.ParseLine();
    EXPECT_FALSE(gga.fixValid());
    EXPECT_EQ(gga.UTCTime, "002153.00");
    EXPECT_EQ(gga.SatNum, "00");
    EXPECT_EQ(gga.dLatDegree, 51);
    EXPECT_DOUBLE_EQ(gga.dUNN, 153.8);
    // An empty satellite field reads "00".
    gga.GPSDataLine = "$GPGGA,002154,,,,,0,,,,M,,M,,";
    gga.ParseLine();
    EXPECT_EQ(gga.SatNum, "00");
    // Zero-filled fields.
    gga.GPSDataLine = "$GPGGA,000000,0000.0000,N,00000.0000,E,0,00,99.9,00000.0,M,0.0,M,,*4A";
    gga.ParseLine();
    EXPECT_FALSE(gga.fixValid());
    // Quality 0 with the last coordinates: shown, but no fix.
    gga.GPSDataLine = "$GPGGA,002154.000,2037.7279,N,08704.0848,W,0,03,,,M,,M,,*52";
    gga.ParseLine();
    EXPECT_FALSE(gga.fixValid());
    EXPECT_EQ(gga.dLatDegree, 20);
    EXPECT_EQ(gga.SatNum, "03");
}

TEST(NmeaRmc, FieldsKeepTheirPlace)
{
    // u-blox: no course while standing.
    const Tgps_rmc standing =
        parsedRmc("$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,,091202,,,A*60");
    EXPECT_DOUBLE_EQ(standing.sog, 0.004);
    EXPECT_EQ(standing.cog, "");
    EXPECT_EQ(standing.GPSDate, "091202");
    EXPECT_EQ(standing.talker(), "GN");
    const Tgps_rmc garmin =
        parsedRmc("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    EXPECT_DOUBLE_EQ(garmin.sog, 22.4);
    EXPECT_EQ(garmin.cog, "084.4");
    EXPECT_EQ(garmin.GPSDate, "230394");
    const Tgps_rmc v41 =
        parsedRmc("$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A,V*33");
    EXPECT_EQ(v41.cog, "77.52");
    EXPECT_EQ(v41.GPSDate, "091202");
    const Tgps_rmc neither = parsedRmc("$GPRMC,083559,A,4717.1143,N,00833.9152,E,,,091202,,,A*7F");
    EXPECT_DOUBLE_EQ(neither.sog, 0.0);
    EXPECT_EQ(neither.cog, "");
    EXPECT_EQ(neither.GPSDate, "091202");
}

TEST(NmeaRmc, WithoutAFixOnlyTheDate)
{
    Tgps_rmc rmc = parsedRmc("$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*65");
    for (const char *noFix :
         {"$GPRMC,002153,V,,,,,,,010125,,,N*51", "$GNRMC,002153.00,V,,,,,,,,,,N,V*1C",
          "$GPRMC,002153,A,4916.45,N,12311.12,W,5.0,10.0,,,,N"}) {
        rmc.GPSDataLine = QString::fromLatin1(noFix);
        rmc.ParseLine();
        EXPECT_DOUBLE_EQ(rmc.sog, 90.0) << noFix;
        EXPECT_EQ(rmc.cog, "054.7") << noFix;
    }
    EXPECT_EQ(rmc.GPSDate, "010125");
}
