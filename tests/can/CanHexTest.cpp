#include "can/CanHex.h"

#include <gtest/gtest.h>

namespace {

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

} // namespace

TEST(CanHex, HexTextWritesTwoUpperCaseDigitsPerByteAndPadsTheLastSlice)
{
    EXPECT_EQ(CanHex::HexText(""), "");
    EXPECT_EQ(CanHex::HexText("A\r"), "410D" + spaces(3 * 88));
    EXPECT_EQ(CanHex::HexText(QByteArray("\xff\x00\x7f", 3)), "FF007F" + spaces(3 * 87));
    const QByteArray ninety(90, 'z');
    EXPECT_EQ(CanHex::HexText(ninety), QStringLiteral("7A").repeated(90));
    // 91 bytes: a full slice, then a slice of one byte and 89 missing ones.
    EXPECT_EQ(CanHex::HexText(QByteArray(91, '0')).size(), 2 * 91 + 3 * 89);
    EXPECT_TRUE(CanHex::HexText(QByteArray(91, '0')).endsWith("30" + spaces(267)));
}

TEST(CanHex, HexPairToCharKeepsDigitsAndLettersOnly)
{
    EXPECT_EQ(CanHex::HexPairToChar(u"30"), "0");
    EXPECT_EQ(CanHex::HexPairToChar(u"39"), "9");
    EXPECT_EQ(CanHex::HexPairToChar(u"41"), "A");
    EXPECT_EQ(CanHex::HexPairToChar(u"5A"), "Z");
    EXPECT_EQ(CanHex::HexPairToChar(u"61"), "a");
    EXPECT_EQ(CanHex::HexPairToChar(u"7A"), "z");
    for (const char16_t *other : {u"2F", u"3A", u"40", u"5B", u"60", u"7B", u"0A", u"0D", u"20",
                                  u"FF", u"  ", u"7a", u"GG", u"3"})
        EXPECT_EQ(CanHex::HexPairToChar(other), ".") << QString::fromUtf16(other).toStdString();
}

TEST(CanHex, HexToTextTakesWholePairsAndDropsAnOddLastCharacter)
{
    EXPECT_EQ(CanHex::HexToText(u"31303033"), "1003");
    EXPECT_EQ(CanHex::HexToText(u"3130303"), "100");
    EXPECT_EQ(CanHex::HexToText(u"3178202D"), "1x..");
    EXPECT_EQ(CanHex::HexToText(u"3130      "), "10...");
    EXPECT_EQ(CanHex::HexToText(u""), "");
}

TEST(CanHex, HexValueReadsHexadecimalOrGivesMinusOne)
{
    EXPECT_EQ(CanHex::HexValue(u"10"), 16);
    EXPECT_EQ(CanHex::HexValue(u"FF"), 255);
    EXPECT_EQ(CanHex::HexValue(u"ff"), 255);
    EXPECT_EQ(CanHex::HexValue(u"0C"), 12);
    EXPECT_EQ(CanHex::HexValue(u"7"), 7);
    EXPECT_EQ(CanHex::HexValue(u"7FFFFFFF"), 0x7FFFFFFF);
    for (const char16_t *bad : {u"", u".", u"1.", u"G1", u"x1", u" 1", u"80000000", u"-1"})
        EXPECT_EQ(CanHex::HexValue(bad), -1) << QString::fromUtf16(bad).toStdString();
}

TEST(CanHex, ChunksBecomeFilteredLinesAtCarriageReturns)
{
    EXPECT_EQ(CanHex::lines("1003\r"), QStringList{"1003"});
    EXPECT_EQ(CanHex::lines("1003\r1105\r"), (QStringList{"1003", "1105"}));
    EXPECT_EQ(CanHex::lines("12x1\r"), QStringList{"12x1"});
    EXPECT_EQ(CanHex::lines("12-1\r"), QStringList{"12.1"});
    EXPECT_TRUE(CanHex::lines("").isEmpty());
    EXPECT_TRUE(CanHex::lines("\r").isEmpty());
}

TEST(CanHex, TwoCarriageReturnsInARowGiveNoEmptyLine)
{
    EXPECT_EQ(CanHex::lines("1003\r\r1203\r"), (QStringList{"1003", "1203"}));
}

TEST(CanHex, ALineWithoutItsCarriageReturnEndsInFullStopsFromThePadding)
{
    const QStringList lines = CanHex::lines("1003\r1601");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "1601" + QString(3 * 81 / 2, QLatin1Char('.')));
}

TEST(CanHex, LineFeedsBelongToTheFollowingLine)
{
    // The last piece is the line feed and the padding.
    EXPECT_EQ(CanHex::lines("1003\r\n1203\r\n"),
              (QStringList{"1003", ".1203", QString(1 + 3 * 78 / 2, QLatin1Char('.'))}));
}

TEST(CanHex, AZeroByteEndsTheChunk)
{
    EXPECT_EQ(CanHex::lines(QByteArray("1003\r\0001203\r", 11)), QStringList{"1003"});
}

TEST(CanHex, OnlyCarriageReturnBytesSplitNotADigitPairAcrossTwoBytes)
{
    // 0x20 0xD5 reads "20D5": a "0D" that straddles two bytes must not cut the line.
    EXPECT_EQ(CanHex::lines("1003 \xd5\x31\r1203\r"), (QStringList{"1003..1", "1203"}));
    EXPECT_EQ(CanHex::splitAtCarriageReturns("20D5310D"), QStringList{"20D531"});
    EXPECT_EQ(CanHex::splitAtCarriageReturns("0D0D31"), QStringList{"31"});
}

TEST(CanHex, TenLinesInA200ByteChunkComeOutInOrder)
{
    QByteArray chunk;
    QStringList expected;
    for (int i = 0; i < 10; ++i) {
        const QByteArray line = QByteArray("1") + QByteArray::number(i % 4) + "0" +
                                QByteArray::number(i) + QByteArray(15, 'x');
        chunk += line + '\r';
        expected << QString::fromLatin1(line);
    }
    ASSERT_EQ(chunk.size(), 200);
    EXPECT_EQ(CanHex::lines(chunk), expected);
}

TEST(CanHex, ALongChunkKeepsItsLinesAcrossSlices)
{
    QByteArray chunk;
    for (int i = 0; i < 300; ++i)
        chunk += "1601\r";
    const QStringList lines = CanHex::lines(chunk);
    EXPECT_EQ(lines.size(), 300);
    EXPECT_EQ(lines.count(QStringLiteral("1601")), 300);
}
