// The rovana-feed program itself: started, read through its link, stopped by a signal.
#include "NmeaSentence.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int FeedBoundMs = 10000; // real processes: generous, only reached on failure

class FeedProgramTest : public ::testing::Test {
protected:
    ~FeedProgramTest() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (feed.state() != QProcess::NotRunning) {
            feed.kill();
            feed.waitForFinished(FeedBoundMs);
        }
    }

    void start(const QStringList &args)
    {
        feed.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        feed.start(QStringLiteral(ROVANA_FEED), args);
        ASSERT_TRUE(feed.waitForStarted(FeedBoundMs));
    }

    // Waits for the feed's link to appear, then opens it as the program would.
    bool openLink(const QString &path)
    {
        QDeadlineTimer deadline(FeedBoundMs);
        while (!QFileInfo(path).isSymLink() && !deadline.hasExpired())
            QThread::msleep(10);
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw{};
        if (m_fd < 0 || ::tcgetattr(m_fd, &raw) != 0)
            return false;
        ::cfmakeraw(&raw);
        return ::tcsetattr(m_fd, TCSANOW, &raw) == 0;
    }

    // Reads until `end` has come `count` times.
    QByteArray readUntil(const QByteArray &end, int count)
    {
        QByteArray got;
        QDeadlineTimer deadline(FeedBoundMs);
        while (got.count(end) < count && !deadline.hasExpired()) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char c;
            if (::read(m_fd, &c, 1) == 1)
                got += c;
        }
        return got;
    }

    QProcess feed;
    TempDir dir;

private:
    int m_fd = -1;
};

TEST_F(FeedProgramTest, CanFeedLoopsUntilTerminatedAndRemovesItsLink)
{
    const QString link = dir.file("can.tty");
    start({"can", dir.write("can.log", "1601\n+20\n1602\n+20\n"), link});
    ASSERT_TRUE(openLink(link));
    const QByteArray got = readUntil("\r", 6);
    // Joined at any point of the loop, the lines alternate.
    const qsizetype first = got.indexOf("1601\r1602\r1601\r");
    const qsizetype second = got.indexOf("1602\r1601\r1602\r");
    EXPECT_TRUE(first >= 0 || second >= 0) << got.constData();
    feed.terminate();
    ASSERT_TRUE(feed.waitForFinished(FeedBoundMs));
    EXPECT_EQ(feed.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(feed.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST_F(FeedProgramTest, GpsFeedSendsAGeneratedDrive)
{
    const QString waypoints = dir.write("drive.txt", "51.3596 7.2409\n51.3650 7.2500\n");
    QProcess drive;
    drive.start(QStringLiteral(ROVANA_FEED),
                {"drive", "--speed", "80", waypoints, dir.file("gps.log")});
    ASSERT_TRUE(drive.waitForFinished(FeedBoundMs));
    ASSERT_EQ(drive.exitCode(), 0) << drive.readAllStandardError().constData();

    const QString link = dir.file("gps.tty");
    start({"gps", dir.file("gps.log"), link});
    ASSERT_TRUE(openLink(link));
    const QByteArray got = readUntil("\r\n", 4);
    const QList<QByteArray> lines = got.split('\n');
    ASSERT_GE(lines.size(), 4);
    // The first line may have been joined halfway; the whole ones are valid sentences.
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(NmeaSentence::valid(lines[i])) << lines[i].constData();
    feed.terminate();
    ASSERT_TRUE(feed.waitForFinished(FeedBoundMs));
    EXPECT_EQ(feed.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST_F(FeedProgramTest, OnceEndsByItself)
{
    const QString link = dir.file("can.tty");
    start({"can", "--once", dir.write("can.log", "1003\n+100\n1105\n"), link});
    ASSERT_TRUE(feed.waitForFinished(FeedBoundMs));
    EXPECT_EQ(feed.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST_F(FeedProgramTest, DriveFromStandardInputToStandardOutput)
{
    QProcess drive;
    drive.start(QStringLiteral(ROVANA_FEED), {"drive", "--start", "2024-01-02T03:04:05Z", "-"});
    ASSERT_TRUE(drive.waitForStarted(FeedBoundMs));
    drive.write("51.0 7.0\n51.001 7.0\n");
    drive.closeWriteChannel();
    ASSERT_TRUE(drive.waitForFinished(FeedBoundMs));
    EXPECT_EQ(drive.exitCode(), 0);
    const QByteArray log = drive.readAllStandardOutput();
    EXPECT_TRUE(log.startsWith("$GPGGA,030405,5100.0000,N,00700.0000,E,")) << log.constData();
}

TEST_F(FeedProgramTest, BadArgumentsAreRefused)
{
    const QString waypoints = dir.write("drive.txt", "51 7\n52 7\n");
    const QList<QStringList> bad{
        {"drive", "--speed", "0", waypoints},
        {"drive", "--start", "yesterday", waypoints},
        {"drive", dir.write("bad.txt", "51 seven\n")},
        {"gps", dir.file("missing.log"), dir.file("gps.tty")},
        {"can", "--baud", "12", dir.write("can.log", "1601\n"), dir.file("can.tty")},
        {"can", dir.file("can.log"), dir.file("no/such/dir/can.tty")},
        {"fly"},
    };
    for (const QStringList &args : bad) {
        QProcess p;
        p.start(QStringLiteral(ROVANA_FEED), args);
        ASSERT_TRUE(p.waitForFinished(FeedBoundMs));
        EXPECT_EQ(p.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardError().startsWith("rovana-feed: "));
    }
}

} // namespace
