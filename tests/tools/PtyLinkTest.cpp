#include "PtyLink.h"
#include "FakeFeedClock.h"
#include "FeedLog.h"
#include "Replayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr int IoBoundMs = 5000; // real I/O: generous, only reached on failure

// The program's side of the line: opens the link as a serial device and reads.
class Reader {
public:
    explicit Reader(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios raw{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(m_fd, TCSANOW, &raw);
        }
    }
    ~Reader()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool valid() const { return m_fd >= 0; }
    // Reads until `count` bytes came or nothing more comes within the bound.
    QByteArray read(qsizetype count) const
    {
        QByteArray got;
        while (got.size() < count) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, IoBoundMs) <= 0)
                break;
            char buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }
    int waiting() const
    {
        pollfd p{m_fd, POLLIN, 0};
        return ::poll(&p, 1, 0);
    }

private:
    int m_fd;
};

TEST(PtyLinkTest, LinkLeadsToTheTerminalAndGoesWithTheFeed)
{
    TempDir dir;
    const QString path = dir.file("gps.tty");
    {
        PtyLink link(path);
        ASSERT_TRUE(link.open()) << link.error().toStdString();
        EXPECT_TRUE(link.terminalPath().startsWith("/dev/pts/"));
        EXPECT_EQ(QFileInfo(path).symLinkTarget(), link.terminalPath());
        EXPECT_EQ(link.linkPath(), path);
    }
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(PtyLinkTest, BytesReachTheProgramThroughTheLink)
{
    TempDir dir;
    PtyLink link(dir.file("can.tty"));
    ASSERT_TRUE(link.open());
    Reader reader(dir.file("can.tty"));
    ASSERT_TRUE(reader.valid());
    link.send("1601\r1602\r");
    EXPECT_EQ(reader.read(10), "1601\r1602\r");
    EXPECT_EQ(link.droppedBytes(), 0);
}

TEST(PtyLinkTest, StaleLinkOfAKilledFeedIsReplaced)
{
    TempDir dir;
    const QString path = dir.file("gps.tty");
    ASSERT_EQ(::symlink("/dev/pts/nonexistent", QFile::encodeName(path).constData()), 0);
    PtyLink link(path);
    ASSERT_TRUE(link.open()) << link.error().toStdString();
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), link.terminalPath());
}

TEST(PtyLinkTest, AFileOfThatNameIsLeftAlone)
{
    TempDir dir;
    const QString path = dir.write("gps.tty", "settings");
    {
        PtyLink link(path);
        EXPECT_FALSE(link.open());
        EXPECT_TRUE(link.error().contains("not a symbolic link"));
    }
    EXPECT_EQ(dir.read("gps.tty"), "settings");
}

TEST(PtyLinkTest, LinkTakenOverByAnotherFeedStays)
{
    TempDir dir;
    const QString path = dir.file("gps.tty");
    auto first = std::make_unique<PtyLink>(path);
    ASSERT_TRUE(first->open());
    PtyLink second(path);
    ASSERT_TRUE(second.open());
    first.reset();
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), second.terminalPath());
}

TEST(PtyLinkTest, MissingDirectoryIsAnError)
{
    TempDir dir;
    PtyLink link(dir.file("no/such/dir/gps.tty"));
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.error().isEmpty());
}

TEST(PtyLinkTest, NobodyListeningNeverBlocksAndLeavesNothingStale)
{
    TempDir dir;
    PtyLink link(dir.file("gps.tty"));
    ASSERT_TRUE(link.open());
    // Far more than a terminal buffers, with no program on the line.
    const QByteArray lot(256 * 1024, 'x');
    link.send(lot);
    EXPECT_EQ(link.unheardBytes(), lot.size());
    Reader reader(dir.file("gps.tty"));
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(reader.waiting(), 0);
    link.send("fresh");
    EXPECT_EQ(reader.read(5), "fresh");
}

TEST(PtyLinkTest, WhatOneProgramLeftUnreadNeverReachesTheNext)
{
    TempDir dir;
    PtyLink link(dir.file("can.tty"));
    ASSERT_TRUE(link.open());
    {
        Reader first(dir.file("can.tty"));
        ASSERT_TRUE(first.valid());
        link.send("1601\r");
    }
    link.send("1602\r"); // nobody listens now
    Reader second(dir.file("can.tty"));
    ASSERT_TRUE(second.valid());
    EXPECT_EQ(second.waiting(), 0);
    link.send("1603\r");
    EXPECT_EQ(second.read(5), "1603\r");
}

TEST(PtyLinkTest, ReaderThatStopsReadingLosesBytesButTheFeedGoesOn)
{
    TempDir dir;
    PtyLink link(dir.file("gps.tty"));
    ASSERT_TRUE(link.open());
    Reader reader(dir.file("gps.tty"));
    ASSERT_TRUE(reader.valid());
    link.send(QByteArray(256 * 1024, 'x'));
    EXPECT_GT(link.droppedBytes(), 0);
}

TEST(PtyLinkTest, ReplayedLogArrivesInOrder)
{
    TempDir dir;
    PtyLink link(dir.file("can.tty"));
    ASSERT_TRUE(link.open());
    Reader reader(dir.file("can.tty"));
    ASSERT_TRUE(reader.valid());
    QByteArray log;
    QByteArray expected;
    for (int i = 0; i < 200; ++i) {
        const QByteArray line = QByteArray::number(0x1000 + i, 16).toUpper();
        log += line + "\n";
        expected += line + "\r";
    }
    FakeFeedClock clock;
    Replayer replayer(FeedLog::canBlocks(log), {9600, 0ms}, clock, link);
    ASSERT_TRUE(replayer.play(false));
    EXPECT_EQ(reader.read(expected.size()), expected);
    EXPECT_EQ(link.droppedBytes(), 0);
    // The line's time for 1000 bytes at 9600 bit/s, on the replay's clock.
    EXPECT_EQ(clock.now(), replayer.byteTime() * expected.size());
}

} // namespace
