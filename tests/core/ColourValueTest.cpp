#include "core/ColourValue.h"

#include <gtest/gtest.h>

TEST(ColourValue, NamedColoursAreWrittenByName)
{
    EXPECT_EQ(ColourValue::toText(0x0000FFFF), "clYellow");
    EXPECT_EQ(ColourValue::toText(0x00000000), "clBlack");
    EXPECT_EQ(ColourValue::toText(0x00A4A0A0), "clMedGray");
    EXPECT_EQ(ColourValue::toText(0x0099B8CD), "$0099B8CD");
    EXPECT_EQ(ColourValue::toText(0x00abcdef), "$00ABCDEF");
}

TEST(ColourValue, NameAndNumberReadAsTheSameColour)
{
    EXPECT_EQ(ColourValue::fromText("clYellow"), 0x0000FFFFu);
    EXPECT_EQ(ColourValue::fromText("$0000FFFF"), 0x0000FFFFu);
    EXPECT_EQ(ColourValue::fromText("CLYELLOW"), 0x0000FFFFu);
    EXPECT_EQ(ColourValue::fromText(" $0099B8CD "), 0x0099B8CDu);
}

TEST(ColourValue, AnythingElseIsNotAColour)
{
    EXPECT_FALSE(ColourValue::fromText("yellowish"));
    EXPECT_FALSE(ColourValue::fromText(""));
    EXPECT_FALSE(ColourValue::fromText("$GG"));
    // Numbers of other forms are no colours either.
    for (const char *text : {"123", "0x00FF00", "$", "$123456789", "$-1", "$+1", "$ 12", "-5"})
        EXPECT_FALSE(ColourValue::fromText(QString::fromLatin1(text))) << text;
    EXPECT_EQ(ColourValue::fromText("$ff"), 0xFFu);
}

TEST(ColourValue, BlueLivesInTheHighByte)
{
    const QColor c = ColourValue::toQColor(0x00102030);
    EXPECT_EQ(c.red(), 0x30);
    EXPECT_EQ(c.green(), 0x20);
    EXPECT_EQ(c.blue(), 0x10);
    EXPECT_EQ(ColourValue::fromQColor(c), 0x00102030u);
}
