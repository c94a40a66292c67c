#include "log/LogLine.h"

#include <gtest/gtest.h>

TEST(LogLine, FileNameIsMonthWithoutZeroAndFourDigitYear)
{
    EXPECT_EQ(LogLine::fileName(QDate(2004, 12, 6)), "12-2004.LOG");
    EXPECT_EQ(LogLine::fileName(QDate(2005, 1, 31)), "1-2005.LOG");
    EXPECT_EQ(LogLine::fileName(QDate(987, 3, 1)), "3-0987.LOG");
}

TEST(LogLine, WeekdaysInEnglish)
{
    EXPECT_EQ(LogLine::weekday(QDate(2004, 12, 6)), "Monday");
    EXPECT_EQ(LogLine::weekday(QDate(2004, 12, 5)), "Sunday");
    EXPECT_EQ(LogLine::weekday(QDate(2004, 12, 11)), "Saturday");
    EXPECT_EQ(LogLine::weekday(QDate()), "");
}

TEST(LogLine, OnlyPlainLettersBecomeCapitals)
{
    EXPECT_EQ(LogLine::capitals(QStringLiteral("a-z Köln éa, ß")),
              QStringLiteral("A-Z KöLN éA, ß"));
}

TEST(LogLine, ComposeKeepsWeekdayAndEndsWithTheNote)
{
    EXPECT_EQ(LogLine::compose("Monday", "12/6/04", "14:34:05", "88893",
                               QStringLiteral("Kirchweg, Köln"), ""),
              QStringLiteral("Monday,12/6/04,14:34:05,88893,KIRCHWEG, KöLN,"));
    EXPECT_EQ(LogLine::compose("Friday", "d", "t", "1", "p", "note"), "Friday,D,T,1,P,NOTE");
}

TEST(LogLine, LineBreaksOfThePlaceStayOnOneLine)
{
    const QString line = LogLine::compose("Monday", "d", "t", "1", "Main\r\nStreet\t1", "");
    EXPECT_EQ(line, "Monday,D,T,1,MAIN  STREET 1,");
}
