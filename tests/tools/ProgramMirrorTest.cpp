// The screenshots' mirror of a program directory: the window may write to it as it likes,
// the directory it mirrors stays as it was.
#include "ProgramMirror.h"
#include "core/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Append) && f.write(bytes) == bytes.size();
}

TEST(ProgramMirrorTest, WritesToTheMirrorNeverReachTheDirectory)
{
    TempDir demo;
    const QByteArray settings = "[Pathes]\nMP3=/music\nLOG=" + demo.file("log").toUtf8() + "\n";
    demo.write("Rovana.ini", settings);
    demo.write("driverslog/12-2024.LOG", "an entry\r\n");
    demo.write("log/driverslog/12-2024.LOG", "an entry\r\n");
    demo.write("alert.jpg", "picture");
    demo.write("music/a.mp3", "track");

    ProgramMirror mirror(demo.path());
    ASSERT_TRUE(mirror.isValid());
    const QString m = mirror.path();
    // What the window reads is there; the logbook starts empty.
    EXPECT_EQ(contents(m + "alert.jpg"), "picture");
    EXPECT_EQ(contents(m + "music/a.mp3"), "track");
    EXPECT_FALSE(QFileInfo::exists(m + "driverslog"));
    // The settings are the mirror's own, with the second log copy inside the mirror.
    EXPECT_FALSE(QFileInfo(m + "Rovana.ini").isSymLink());
    const IniFile ini = IniFile::load(m + "Rovana.ini");
    EXPECT_EQ(ini.readString("Pathes", "MP3", {}), "/music");
    EXPECT_EQ(ini.readString("Pathes", "LOG", {}), m + "log");

    // The window saving its settings and writing its log in the mirror.
    IniFile changed = ini;
    changed.writeString("Driverslog", "last entry", "new");
    ASSERT_TRUE(changed.save(m + "Rovana.ini"));
    ASSERT_TRUE(put(m + "driverslog/12-2024.LOG", "a new entry\r\n"));
    ASSERT_TRUE(put(m + "log/driverslog/12-2024.LOG", "a new entry\r\n"));
    EXPECT_EQ(demo.read("Rovana.ini"), settings);
    EXPECT_EQ(demo.read("driverslog/12-2024.LOG"), "an entry\r\n");
    EXPECT_EQ(demo.read("log/driverslog/12-2024.LOG"), "an entry\r\n");
}

TEST(ProgramMirrorTest, AMissingDirectoryIsNoMirror)
{
    TempDir parent;
    EXPECT_FALSE(ProgramMirror(parent.file("gone")).isValid());
}

} // namespace
