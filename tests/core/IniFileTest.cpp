#include "core/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {
const QString S = QStringLiteral("Section");
}

TEST(IniFile, AbsentFileReadsEveryDefault)
{
    TempDir dir;
    const IniFile ini = IniFile::load(dir.file("missing.ini"));
    EXPECT_EQ(ini.readString("Pathes", "MP3", "C:/MP3"), "C:/MP3");
    EXPECT_EQ(ini.readInteger("ExitOptions", "RadioGroup1.ItemIndex", 3), 3);
    EXPECT_TRUE(ini.readBool("GPSMouseOptions", "Enabled", true));
    EXPECT_TRUE(ini.toBytes().isEmpty());
}

TEST(IniFile, SectionAndKeyNamesMatchWithoutRegardToCase)
{
    IniFile ini("[COLORS]\nCPX1.COLOR=$00112233\n[colors]\ncpx2.color=second\n");
    EXPECT_EQ(ini.readString("Colors", "cpx1.color", ""), "$00112233");
    // The first section of that name wins, as with the platform's profile routines.
    EXPECT_EQ(ini.readString("colors", "cpx2.color", "none"), "none");
    ini.writeString("Colors", "cpx1.color", "clRed");
    EXPECT_EQ(ini.toBytes(), "[COLORS]\nCPX1.COLOR=clRed\n[colors]\ncpx2.color=second\n");
}

TEST(IniFile, ValuesAreTrimmedAndUnquoted)
{
    const IniFile ini("[S]\n  key  =  some value  \nquoted=\"  padded  \"\n");
    EXPECT_EQ(ini.readString("S", "KEY", ""), "some value");
    EXPECT_EQ(ini.readString("S", "quoted", ""), "  padded  ");
}

TEST(IniFile, IntegersInDecimalAndHexadecimal)
{
    const IniFile ini("[Section]\ndec=42\nneg=-7\nhex=0x1F\ndollar=$FF\nall=$FFFFFFFF\n"
                      "word=abc\nempty=\nhuge=99999999999\nhalf=12abc\nplus=+5\n");
    EXPECT_EQ(ini.readInteger(S, "dec", 0), 42);
    EXPECT_EQ(ini.readInteger(S, "neg", 0), -7);
    EXPECT_EQ(ini.readInteger(S, "hex", 0), 31);
    EXPECT_EQ(ini.readInteger(S, "dollar", 0), 255);
    EXPECT_EQ(ini.readInteger(S, "all", 0), -1);
    EXPECT_EQ(ini.readInteger(S, "word", 9), 9);
    EXPECT_EQ(ini.readInteger(S, "empty", 9), 9);
    EXPECT_EQ(ini.readInteger(S, "huge", 9), 9);
    EXPECT_EQ(ini.readInteger(S, "half", 9), 9);
    EXPECT_EQ(ini.readInteger(S, "plus", 9), 9);
}

TEST(IniFile, BooleansAreNonZeroIntegers)
{
    const IniFile ini("[Section]\none=1\nzero=0\nseven=7\nyes=yes\n");
    EXPECT_TRUE(ini.readBool(S, "one", false));
    EXPECT_FALSE(ini.readBool(S, "zero", true));
    EXPECT_TRUE(ini.readBool(S, "seven", false));
    EXPECT_TRUE(ini.readBool(S, "yes", true)); // not a number: the default
    EXPECT_FALSE(ini.readBool(S, "yes", false));
}

TEST(IniFile, WritingKeepsEveryOtherLineByteForByte)
{
    const QByteArray original = "; written by hand\r\n[Unknown]\r\nodd line without equals\r\n"
                                "Foo = bar ; not a comment\r\n\r\n[Pathes]\r\nMP3 = /old\r\n"
                                "Extra=1\r\n";
    IniFile ini(original);
    ini.writeString("pathes", "mp3", "/new");
    EXPECT_EQ(ini.toBytes(), QByteArray(original).replace("MP3 = /old", "MP3 =/new"));
}

TEST(IniFile, NewKeyGoesToTheEndOfItsSectionBeforeBlankLines)
{
    IniFile ini("[A]\nx=1\n\n[B]\ny=2\n");
    ini.writeString("a", "z", "3");
    EXPECT_EQ(ini.toBytes(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
}

TEST(IniFile, NewSectionGoesToTheEndOfTheFile)
{
    IniFile ini("[A]\nx=1"); // no line end after the last line
    ini.writeInteger("B", "n", 5);
    ini.writeBool("C", "on", true);
    EXPECT_EQ(ini.toBytes(), "[A]\nx=1\n[B]\nn=5\n[C]\non=1\n");
}

TEST(IniFile, SaveReplacesTheFileAndLeavesNoTemporary)
{
    TempDir dir;
    const QString path = dir.write("Rovana.ini", "[A]\nkeep=me\n");
    IniFile ini = IniFile::load(path);
    ini.writeString("A", "new", "value");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(dir.read("Rovana.ini"), "[A]\nkeep=me\nnew=value\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Rovana.ini"});
}

TEST(IniFile, FailedSaveLeavesTheOldFileIntact)
{
    TempDir dir;
    const QString path = dir.write("Rovana.ini", "[A]\nkeep=me\n");
    dir.mkdir("Rovana.ini.new"); // the new file can't be created
    IniFile ini = IniFile::load(path);
    ini.writeString("A", "keep", "changed");
    EXPECT_FALSE(ini.save(path));
    EXPECT_EQ(dir.read("Rovana.ini"), "[A]\nkeep=me\n");
}

TEST(IniFile, SaveIntoMissingDirectoryFails)
{
    TempDir dir;
    IniFile ini;
    ini.writeString("A", "b", "c");
    EXPECT_FALSE(ini.save(dir.file("no/such/dir/Rovana.ini")));
}
