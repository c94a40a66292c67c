#include "gps/TBrkApart.h"

#include <gtest/gtest.h>

TEST(TBrkApart, EmptyPiecesAreDroppedUnlessAllowed)
{
    TBrkApart b;
    b.BaseString = "A\r\n\r\nB\r\n";
    b.BreakString = "\r\n";
    b.BreakApart();
    EXPECT_EQ(b.StringList, (QStringList{"A", "B"}));
    b.AllowEmptyString = true;
    b.BreakApart();
    EXPECT_EQ(b.StringList, (QStringList{"A", "", "B", ""}));
}

TEST(TBrkApart, LeadingSeparatorsAndEmptyTexts)
{
    EXPECT_EQ(TBrkApart::split(",,a,,b", ",", false), (QStringList{"a", "b"}));
    EXPECT_EQ(TBrkApart::split("", ",", false), QStringList{});
    EXPECT_EQ(TBrkApart::split("", ",", true), QStringList{""});
    // An empty separator never matches: the whole text is one piece.
    EXPECT_EQ(TBrkApart::split("a,b", "", false), QStringList{"a,b"});
    // Separators of more than one character, overlapping candidates.
    EXPECT_EQ(TBrkApart::split("410D0D42", "0D", false), (QStringList{"41", "42"}));
}
