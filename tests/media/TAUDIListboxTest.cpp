#include "media/TAUDIListbox.h"
#include "media/EntryOrder.h"
#include "support/TempDir.h"

#include "NoFileOverride.h"

#include "media/DirectoryReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <random>

namespace {

class ListTest : public ::testing::Test {
protected:
    QString touch(const QString &name) { return dir.write(name, "x"); }
    // A list on the temporary directory (without its trailing "/").
    void open()
    {
        ASSERT_TRUE(list.setDirectory(root()));
        ASSERT_EQ(list.directory(), root());
    }
    QString root() const { return QDir::cleanPath(dir.path()); }

    TempDir dir;
    TAUDIListbox list{QString::fromLatin1(TAUDIListbox::Mp3Mask)};
};

} // namespace

TEST_F(ListTest, EmptyDirectoryHasNothingToSelect)
{
    open();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_FALSE(list.setItemIndex(0));
    EXPECT_EQ(list.nextLetterIndex(), -1);
    EXPECT_TRUE(list.selectedPath().isEmpty());
}

TEST_F(ListTest, ListsDirectoriesAndMaskedFilesSorted)
{
    for (const char *f : {"b.mp3", "A.MP3", "c.ogg", "d.wma", "cover.jpg", "README", ".hidden.mp3",
                          "9 lives.mp3", "e.mp3.txt"})
        touch(QString::fromLatin1(f));
    for (const char *d : {"Zed", "alpha", "Vol. 2", ".config"})
        dir.mkdir(QString::fromLatin1(d));
    open();
    // Symbols first (a leading dot, then the directory marker), digits, letters.
    const QStringList expected{".hidden.mp3",
                               DirectoryReader::DirectoryMarker + ".config",
                               DirectoryReader::DirectoryMarker + "alpha",
                               DirectoryReader::DirectoryMarker + "Vol. 2",
                               DirectoryReader::DirectoryMarker + "Zed",
                               "9 lives.mp3",
                               "A.MP3",
                               "b.mp3",
                               "c.ogg",
                               "d.wma",
                               "README"};
    EXPECT_EQ(list.items(), expected);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(DirectoryReader::DirectoryMarker, QStringLiteral("\u00BB  "));
}

TEST_F(ListTest, SymbolicLinksCountAsWhatTheyPointAt)
{
    dir.mkdir("real");
    touch("real.mp3");
    ASSERT_TRUE(QFile::link(dir.file("real"), dir.file("linkdir")));
    ASSERT_TRUE(QFile::link(dir.file("real.mp3"), dir.file("link.mp3")));
    ASSERT_TRUE(QFile::link(dir.file("missing"), dir.file("dangling")));
    open();
    EXPECT_EQ(list.items(), (QStringList{DirectoryReader::DirectoryMarker + "linkdir",
                                         DirectoryReader::DirectoryMarker + "real", "dangling",
                                         "link.mp3", "real.mp3"}));
}

TEST_F(ListTest, DirectoryChangesAreNormalisedAndRefusedWhenImpossible)
{
    dir.mkdir("a/b");
    touch("a/b/x.mp3");
    ASSERT_TRUE(list.setDirectory(root() + "/a/b"));
    EXPECT_EQ(list.count(), 1);
    ASSERT_TRUE(list.setDirectory(list.parentPath()));
    EXPECT_EQ(list.directory(), root() + "/a");
    EXPECT_EQ(list.items(), QStringList{DirectoryReader::DirectoryMarker + "b"});

    // A path that doesn't exist, or a file, leaves the list where it was.
    list.setItemIndex(0);
    EXPECT_FALSE(list.setDirectory(root() + "/nowhere"));
    EXPECT_FALSE(list.setDirectory(root() + "/a/b/x.mp3"));
    EXPECT_EQ(list.directory(), root() + "/a");
    EXPECT_EQ(list.itemIndex(), 0);
    // Empty or the same path: nothing happens, the selection stays.
    EXPECT_TRUE(list.setDirectory(QString()));
    EXPECT_TRUE(list.setDirectory(root() + "/a"));
    EXPECT_EQ(list.itemIndex(), 0);

    ASSERT_TRUE(list.setDirectory(QStringLiteral("/")));
    ASSERT_TRUE(list.setDirectory(list.parentPath()));
    EXPECT_EQ(list.directory(), "/");
    EXPECT_EQ(list.parentPath(), "/..");
}

TEST_F(ListTest, DirectoryWithoutPermissionLeavesTheList)
{
    dir.mkdir("locked");
    touch("locked/inside.mp3");
    dir.mkdir("listonly");
    open();
    const QStringList before = list.items();
    list.setItemIndex(1);
    ASSERT_TRUE(QFile::setPermissions(dir.file("locked"), QFileDevice::Permissions()));
    // Readable but not enterable.
    ASSERT_TRUE(QFile::setPermissions(dir.file("listonly"), QFileDevice::ReadOwner));
    {
        NoFileOverride asUser;
        EXPECT_FALSE(list.setDirectory(root() + "/locked"));
        EXPECT_FALSE(list.setDirectory(root() + "/listonly"));
    }
    QFile::setPermissions(dir.file("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(dir.file("listonly"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(list.directory(), root());
    EXPECT_EQ(list.items(), before);
    EXPECT_EQ(list.itemIndex(), 1);
}

TEST_F(ListTest, NonAsciiAndBlanksSurviveTheRoundTrip)
{
    const QString track = QStringLiteral("Motörhead – Ace of Spades.mp3");
    const QString folder = QStringLiteral("Sigur Rós");
    touch(track);
    dir.mkdir(folder);
    touch(folder + "/Hoppípolla.ogg");
    open();
    ASSERT_EQ(list.items(), (QStringList{DirectoryReader::DirectoryMarker + folder, track}));
    list.setItemIndex(1);
    EXPECT_TRUE(QFileInfo::exists(list.selectedPath()));
    EXPECT_FALSE(list.selectedIsDirectory());
    list.setItemIndex(0);
    EXPECT_TRUE(list.selectedIsDirectory());
    EXPECT_EQ(list.selectedTarget(), root() + "/" + folder);
    ASSERT_TRUE(list.setDirectory(list.selectedTarget()));
    EXPECT_EQ(list.items(), QStringList{QStringLiteral("Hoppípolla.ogg")});
}

TEST_F(ListTest, InitialsOfFilesAndDirectories)
{
    dir.mkdir("Abba");
    touch("beatles.mp3");
    touch("$  money.mp3");
    touch(QStringLiteral("§ paragraph.mp3"));
    open();
    // A directory is found by its name's initial, not by the marker.
    const int abba = list.items().indexOf(DirectoryReader::DirectoryMarker + "Abba");
    EXPECT_EQ(list.indexOfInitial(u'A'), abba);
    EXPECT_EQ(list.indexOfInitial(u'a'), abba);
    EXPECT_EQ(list.indexOfInitial(u'B'), list.items().indexOf("beatles.mp3"));
    EXPECT_FALSE(list.HasItemWithInitial(0xBB));
    EXPECT_TRUE(list.HasItemWithInitial(u'$'));
    EXPECT_TRUE(list.HasItemWithInitial(u'\u00A7'));
    EXPECT_EQ(list.items()[list.indexOfInitial(u'$')], "$  money.mp3");
    EXPECT_EQ(list.items()[list.indexOfInitial(u'\u00A7')], QStringLiteral("§ paragraph.mp3"));

    list.setItemIndex(3);
    list.PreselectInitial(u'q');
    EXPECT_EQ(list.itemIndex(), 3);
    list.PreselectInitial(u'b');
    EXPECT_EQ(list.itemText(list.itemIndex()), "beatles.mp3");
}

TEST_F(ListTest, NextLetterWrapsOnlyInLongerLists)
{
    touch("Alpha.mp3");
    touch("Bravo.mp3");
    touch("Zulu.mp3");
    open();
    list.setItemIndex(2);
    // Three entries: three tries after "Z" ("[", "\", "]") find nothing.
    EXPECT_EQ(list.nextLetterIndex(), -1);
    list.setItemIndex(0);
    EXPECT_EQ(list.nextLetterIndex(), 1);

    for (const char *f : {"Zulu2.mp3", "Zulu3.mp3", "Zulu4.mp3", "Zulu5.mp3"})
        touch(QString::fromLatin1(f));
    ASSERT_TRUE(list.fill());
    ASSERT_EQ(list.count(), 7);
    list.setItemIndex(6);
    // The seventh try reaches "a", which finds the entries beginning with "A".
    EXPECT_EQ(list.nextLetterIndex(), 0);
}

TEST_F(ListTest, SelectionScrollsIntoTheVisibleRows)
{
    for (int i = 0; i < 20; ++i)
        touch(QStringLiteral("t%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
    open();
    for (int i = 0; i <= 7; ++i)
        list.setItemIndex(i);
    EXPECT_EQ(list.topIndex(), 1);
    list.setItemIndex(19);
    EXPECT_EQ(list.topIndex(), 13);
    list.setItemIndex(14);
    EXPECT_EQ(list.topIndex(), 13);
    list.setItemIndex(12);
    EXPECT_EQ(list.topIndex(), 12);
    EXPECT_FALSE(list.setItemIndex(20));
    EXPECT_FALSE(list.setItemIndex(-2));
    EXPECT_EQ(list.itemIndex(), 12);
}

TEST(EntryOrder, SortingByKeysGivesTheOrderOfLess)
{
    // Names from a small alphabet of every kind of character: case pairs, digits,
    // symbols, the directory marker, letters beyond ASCII (one that folds onto an ASCII
    // letter), a character outside the basic plane, so that ties and prefixes abound.
    const QString alphabet = QStringLiteral("aAbB01 -_.$\u00A7\u00BB\u00E9\u00C9\u212A\u00DFk~") +
                             QString::fromUcs4(U"\U0001F3B5");
    std::mt19937 random(2525);
    for (int round = 0; round < 40; ++round) {
        QStringList names;
        for (int i = 0; i < 300; ++i) {
            QString name;
            const int length = int(random() % 7);
            for (int c = 0; c < length; ++c)
                name += alphabet[qsizetype(random() % alphabet.size())];
            names << name;
        }
        QStringList expected = names;
        std::stable_sort(expected.begin(), expected.end(), EntryOrder::less);
        EntryOrder::sort(names);
        ASSERT_EQ(names, expected) << round;
    }
}
