#include "log/LogFileWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

class LogFileWriterTest : public ::testing::Test {
protected:
    bool append(const QString &dir, const QString &line,
                const LogFileWriter::Texts &texts = LogFileWriter::Primary)
    {
        return LogFileWriter::append(dir, "12-2004.LOG", line, texts,
                                     [this](const QString &t) { traces << t; });
    }
    TempDir tmp;
    QStringList traces;
};

} // namespace

TEST_F(LogFileWriterTest, CreatesDirectoriesAndTheFile)
{
    const QString dir = tmp.path() + "a/b/driverslog/";
    ASSERT_TRUE(append(dir, "first"));
    EXPECT_EQ(tmp.read("a/b/driverslog/12-2004.LOG"), "first\r\n");
    EXPECT_EQ(traces, QStringList{dir + "12-2004.LOG newly created"});
}

TEST_F(LogFileWriterTest, AppendsToAnExistingFileAndKeepsItsLines)
{
    tmp.write("driverslog/12-2004.LOG", "Sunday,OLD,\r\n");
    const QString dir = tmp.path() + "driverslog/";
    ASSERT_TRUE(append(dir, "Monday,NEW,"));
    EXPECT_EQ(tmp.read("driverslog/12-2004.LOG"), "Sunday,OLD,\r\nMonday,NEW,\r\n");
    EXPECT_EQ(traces, QStringList{dir + "12-2004.LOG found, appending log records..."});
}

TEST_F(LogFileWriterTest, DualTexts)
{
    const QString dir = tmp.path() + "driverslog/";
    append(dir, "x", LogFileWriter::Dual);
    append(dir, "y", LogFileWriter::Dual);
    EXPECT_EQ(traces,
              (QStringList{dir + "12-2004.LOG dual log newly created",
                           dir + "12-2004.LOG found as dual log, appending log records..."}));
}

TEST_F(LogFileWriterTest, TextIsUtf8)
{
    append(tmp.path(), QStringLiteral("KöLN"));
    EXPECT_EQ(tmp.read("12-2004.LOG"), QByteArray("K\xc3\xb6LN\r\n"));
}

TEST_F(LogFileWriterTest, AFileInPlaceOfTheDirectoryIsTracedAndReportedAsFailure)
{
    tmp.write("blocked", "not a directory");
    const QString dir = tmp.path() + "blocked/driverslog/";
    EXPECT_FALSE(append(dir, "line"));
    const QString path = dir + "12-2004.LOG";
    // The open fails, and so does the write that follows it.
    ASSERT_EQ(traces.size(), 2);
    EXPECT_TRUE(traces[0].startsWith(QString::number(ENOTDIR) + " ")) << traces[0].toStdString();
    EXPECT_TRUE(traces[0].endsWith(" cannot open " + path)) << traces[0].toStdString();
    EXPECT_TRUE(traces[1].endsWith(" cannot write " + path)) << traces[1].toStdString();
    EXPECT_EQ(LogFileWriter::errorText(ENOTDIR, "cannot open", "/x"),
              QString::number(ENOTDIR) + " " + qt_error_string(ENOTDIR) + " cannot open /x");
}
