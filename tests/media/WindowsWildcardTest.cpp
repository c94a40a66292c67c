#include "media/WindowsWildcard.h"

#include <gtest/gtest.h>

namespace {
bool file(const char *pattern, const char *name)
{
    return WindowsWildcard::matchPattern(pattern, name, false);
}
} // namespace

TEST(WindowsWildcard, ExtensionsMatchWithoutRegardToCase)
{
    EXPECT_TRUE(file("*.mp3", "song.mp3"));
    EXPECT_TRUE(file("*.mp3", "Song.MP3"));
    EXPECT_TRUE(file("*.MPEG", "clip.mpeg"));
    EXPECT_FALSE(file("*.mp3", "song.mp3.txt"));
    EXPECT_FALSE(file("*.mp3", "song.mp"));
    EXPECT_FALSE(file("*.mpg", "clip.mpeg"));
    EXPECT_TRUE(file("*.mp3", "two.dots.mp3"));
    EXPECT_TRUE(file("*.mp3", ".mp3"));
    EXPECT_TRUE(file("s?ng.mp3", "s\xC3\xB6ng.mp3")); // "?" takes one character, not one byte
    EXPECT_FALSE(file("s?ng.mp3", "sng.mp3"));
    EXPECT_TRUE(file("*a*b*", "xxaxxbxx"));
    EXPECT_FALSE(file("*a*b", "xxaxxbxx"));
}

TEST(WindowsWildcard, StarDotTakesNamesWithoutExtensionAndEveryDirectory)
{
    EXPECT_TRUE(file("*.", "README"));
    EXPECT_FALSE(file("*.", "song.mp3"));
    EXPECT_FALSE(file("*.", ".hidden"));
    EXPECT_TRUE(WindowsWildcard::matchPattern("*.", "Vol. 2", true));
    EXPECT_TRUE(WindowsWildcard::matchPattern("*.", ".config", true));
    EXPECT_TRUE(file("*.*", "README"));
    EXPECT_TRUE(file("*.*", "a.b"));
}

TEST(WindowsWildcard, MaskTriesEachPattern)
{
    const WindowsWildcard mask(QStringLiteral("*.;*.mp3; *.wma ;;*.ogg"));
    EXPECT_TRUE(mask.matches("a.ogg", false));
    EXPECT_TRUE(mask.matches("a.wma", false));
    EXPECT_TRUE(mask.matches("noext", false));
    EXPECT_TRUE(mask.matches("dir.with.dots", true));
    EXPECT_FALSE(mask.matches("a.jpg", false));
    EXPECT_TRUE(WindowsWildcard(QString()).empty());
    EXPECT_FALSE(WindowsWildcard(QString()).matches("a", true));
}
