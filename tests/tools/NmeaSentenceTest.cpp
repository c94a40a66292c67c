#include "NmeaSentence.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

// The fields as the receiving program splits them: at commas, empty fields dropped.
QList<QByteArray> fields(const QByteArray &sentence)
{
    QList<QByteArray> out;
    for (const QByteArray &f : sentence.split(','))
        if (!f.isEmpty())
            out << f;
    return out;
}

DriveFix sampleFix()
{
    DriveFix fix;
    fix.utc = QDateTime(QDate(2024, 5, 18), QTime(21, 49, 49), Qt::UTC);
    fix.position = {51 + 21.5792 / 60, 7 + 14.4555 / 60};
    fix.speedKnots = 90.0;
    fix.courseDegrees = 54.7;
    fix.altitudeMetres = 153.8;
    fix.satellites = 7;
    return fix;
}

TEST(NmeaSentenceTest, ChecksumOfAReceiversSentence)
{
    const QByteArray sentence =
        "$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A";
    EXPECT_TRUE(NmeaSentence::valid(sentence));
    EXPECT_TRUE(NmeaSentence::valid(sentence + "\r\n"));
    EXPECT_EQ(NmeaSentence::checksum(sentence.mid(1, sentence.size() - 4)), "4A");
    QByteArray altered = sentence;
    altered[10] = '8';
    EXPECT_FALSE(NmeaSentence::valid(altered));
    EXPECT_FALSE(NmeaSentence::valid("GPGGA*00"));
    EXPECT_FALSE(NmeaSentence::valid("$*"));
    EXPECT_FALSE(NmeaSentence::valid(""));
}

TEST(NmeaSentenceTest, ChecksumHasTwoUpperCaseDigits)
{
    EXPECT_EQ(NmeaSentence::checksum("A"), "41");
    EXPECT_EQ(NmeaSentence::checksum("AA"), "00");
    EXPECT_EQ(NmeaSentence::checksum("j"), "6A");
    EXPECT_EQ(NmeaSentence::framed("GPTXT,x"), "$GPTXT,x*" + NmeaSentence::checksum("GPTXT,x"));
}

TEST(NmeaSentenceTest, PositionsAsReceiversWriteThem)
{
    EXPECT_EQ(NmeaSentence::latitude(51 + 21.5792 / 60), "5121.5792,N");
    EXPECT_EQ(NmeaSentence::longitude(7 + 14.4555 / 60), "00714.4555,E");
    EXPECT_EQ(NmeaSentence::latitude(-(33 + 52.1234 / 60)), "3352.1234,S");
    EXPECT_EQ(NmeaSentence::longitude(-(151 + 12.5 / 60)), "15112.5000,W");
    EXPECT_EQ(NmeaSentence::latitude(0.5), "0030.0000,N");
    // Minutes that round up to 60 carry into the degrees.
    EXPECT_EQ(NmeaSentence::longitude(7.9999999999), "00800.0000,E");
}

TEST(NmeaSentenceTest, GgaFieldsWhereTheProgramReadsThem)
{
    const QByteArray gga = NmeaSentence::gga(sampleFix());
    EXPECT_TRUE(NmeaSentence::valid(gga));
    const QList<QByteArray> f = fields(gga);
    ASSERT_GE(f.size(), 10);
    EXPECT_EQ(f[0], "$GPGGA");
    EXPECT_EQ(f[1], "214949");
    EXPECT_EQ(f[2], "5121.5792");
    EXPECT_EQ(f[3], "N");
    EXPECT_EQ(f[4], "00714.4555");
    EXPECT_EQ(f[4].size(), 10); // three degree digits
    EXPECT_EQ(f[5], "E");
    EXPECT_EQ(f[6], "1"); // a fix
    EXPECT_EQ(f[7], "07");
    EXPECT_EQ(f[9], "153.8");
}

TEST(NmeaSentenceTest, RmcFieldsWhereTheProgramReadsThem)
{
    const QByteArray rmc = NmeaSentence::rmc(sampleFix());
    EXPECT_TRUE(NmeaSentence::valid(rmc));
    const QList<QByteArray> f = fields(rmc);
    ASSERT_GE(f.size(), 10);
    EXPECT_EQ(f[0], "$GPRMC");
    EXPECT_EQ(f[1], "214949");
    EXPECT_EQ(f[2], "A");
    EXPECT_EQ(f[3], "5121.5792");
    EXPECT_EQ(f[5], "00714.4555");
    EXPECT_EQ(f[7], "090.0");
    EXPECT_EQ(f[8], "054.7");
    EXPECT_EQ(f[9], "180524");
}

TEST(NmeaSentenceTest, CourseNeverReads360)
{
    DriveFix fix = sampleFix();
    fix.courseDegrees = 359.97;
    EXPECT_EQ(fields(NmeaSentence::rmc(fix))[8], "000.0");
    fix.courseDegrees = 5.04;
    EXPECT_EQ(fields(NmeaSentence::rmc(fix))[8], "005.0");
}

} // namespace
