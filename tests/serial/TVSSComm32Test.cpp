#include "serial/TVSSComm32.h"
#include "serial/ECommsError.h"
#include "serial/LineSettings.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int IoBoundMs = 5000; // real I/O: generous, only reached on failure

class LineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid());
        port.setBaudRate(TBaudRate::___9600);
        port.setDataBits(TDataBits::_8);
        port.setCarTimeout(40);
        useDevice(pty.path());
        port.setOnReceiveData([this](const char *buffer, quint16 length) {
            chunks.emplace_back(buffer, length);
            terminated = terminated && buffer[length] == 0;
        });
        port.setOnRequestHangup([this](TVSSComm32 *sender) {
            ++hangups;
            hangupSender = sender;
        });
    }

    void useDevice(const QString &path)
    {
        port.setDevicePaths([path](TCommPort) { return path; });
    }
    bool waitForChunks(size_t n)
    {
        return QTest::qWaitFor([&] { return chunks.size() >= n; }, IoBoundMs);
    }
    QByteArray received() const
    {
        QByteArray all;
        for (const QByteArray &c : chunks)
            all += c;
        return all;
    }
    // The error OpenPort raises, or "" when it succeeds.
    std::string openError()
    {
        try {
            port.OpenPort();
        } catch (const ECommsError &e) {
            return e.what();
        }
        return {};
    }

    PseudoTerminal pty;
    std::vector<QByteArray> chunks;
    bool terminated = true;
    int hangups = 0;
    TVSSComm32 *hangupSender = nullptr;
    TVSSComm32 port; // goes first, before what its handlers touch
};

QByteArray pattern(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char('A' + i % 26));
    return bytes;
}

} // namespace

TEST(TVSSComm32Defaults, StartClosedOnCom1WithTheFirstValueOfEverySetting)
{
    TVSSComm32 port;
    EXPECT_EQ(port.CommPort(), TCommPort::Com1);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.BaudRate(), TBaudRate::____110);
    EXPECT_EQ(port.Parity(), TParity::None);
    EXPECT_EQ(port.DataBits(), TDataBits::_4);
    EXPECT_EQ(port.StopBits(), TStopBits::_1);
    EXPECT_FALSE(port.RTS_on());
    EXPECT_EQ(port.CarTimeout(), 0);
    EXPECT_EQ(port.devicePath(), "/dev/ttyS0");
    port.setCommPort(TCommPort::Com9);
    EXPECT_EQ(port.devicePath(), "/dev/ttyS8");
    EXPECT_FALSE(port.WriteData("x"));

    // ClosePort without a device does nothing, not even to the published isOpen.
    port.setIsOpen(true);
    port.ClosePort();
    EXPECT_TRUE(port.isOpen());
}

TEST_F(LineTest, OpensClosesAndReopensTheLine)
{
    ASSERT_TRUE(port.OpenPort());
    EXPECT_TRUE(port.isOpen());
    ASSERT_TRUE(pty.send("first"));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], "first");

    port.ClosePort();
    EXPECT_FALSE(port.isOpen());
    port.ClosePort(); // twice is harmless
    EXPECT_FALSE(port.isOpen());

    ASSERT_TRUE(port.OpenPort());
    ASSERT_TRUE(pty.send("second"));
    ASSERT_TRUE(waitForChunks(2));
    EXPECT_EQ(chunks[1], "second");
    EXPECT_TRUE(terminated);
    EXPECT_EQ(hangups, 0);
}

TEST_F(LineTest, OpeningAgainWhileOpenFailsAndLeavesTheLineWorking)
{
    ASSERT_TRUE(port.OpenPort());
    EXPECT_EQ(openError(), "Already have a comm file open");
    EXPECT_TRUE(port.isOpen());
    ASSERT_TRUE(pty.send("still here"));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], "still here");
}

TEST_F(LineTest, OnlySerialLinesCanBeOpened)
{
    TempDir dir;
    useDevice(dir.write("not-a-line", "data"));
    EXPECT_EQ(openError(), "File handle is not a comm handle. ");
    EXPECT_FALSE(port.isOpen());

    useDevice("/dev/null"); // a character device, but no serial line
    EXPECT_EQ(openError(), "File handle is not a comm handle. ");
    EXPECT_FALSE(port.isOpen());

    useDevice(dir.file("missing"));
    EXPECT_EQ(openError(), "Error opening com port");
    useDevice(dir.path()); // a directory
    EXPECT_EQ(openError(), "Error opening com port");
    EXPECT_FALSE(port.isOpen());

    // Nothing was kept from the failures: the real line opens.
    useDevice(pty.path());
    EXPECT_EQ(openError(), "");
    EXPECT_TRUE(port.isOpen());
}

TEST_F(LineTest, WithoutACloseEventTheDeviceIsClosedAgainAndReportedClosed)
{
    // Allow exactly one more descriptor: the device gets it, the close event can't.
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(lowestFree + 1);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const bool opened = port.OpenPort();
    setrlimit(RLIMIT_NOFILE, &old);

    EXPECT_FALSE(opened);
    EXPECT_FALSE(port.isOpen());
    // Nothing was kept: the line opens normally now.
    EXPECT_TRUE(port.OpenPort());
}

TEST_F(LineTest, ALineHasOneOpenerAtATimeAndIsFreeAgainAfterClosing)
{
    ASSERT_TRUE(port.OpenPort());
    TVSSComm32 other;
    const QString path = pty.path();
    other.setDevicePaths([path](TCommPort) { return path; });
    EXPECT_THROW(other.OpenPort(), ECommsError);
    EXPECT_FALSE(other.isOpen());

    port.ClosePort();
    EXPECT_TRUE(other.OpenPort());
    other.ClosePort();
}

TEST_F(LineTest, TheLineTakesTheConfiguredSettingsInPlainByteMode)
{
    // A pseudo-terminal keeps speed and stop bits; it forces 8 bits without parity, so
    // those are checked on the control flags below.
    port.setBaudRate(TBaudRate::__14400); // no standard constant
    port.setStopBits(TStopBits::_2);
    ASSERT_TRUE(port.OpenPort());
    auto now = LineSettings::read(pty.slave());
    ASSERT_TRUE(now);
    EXPECT_EQ(now->speed, 14400u);
    EXPECT_EQ(now->stopBits, TStopBits::_2);

    termios t{};
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    port.ClosePort();

    // Standard rates use their constant, which every driver understands.
    port.setBaudRate(TBaudRate::___4800);
    port.setStopBits(TStopBits::_1);
    ASSERT_TRUE(port.OpenPort());
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B4800));
    EXPECT_FALSE(t.c_cflag & CSTOPB);

    // Setting a property while open changes nothing on the line.
    port.setBaudRate(TBaudRate::___9600);
    port.setCommPort(TCommPort::Com5);
    EXPECT_EQ(LineSettings::read(pty.slave())->speed, 4800u);
    ASSERT_TRUE(pty.send("same line"));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], "same line");
}

TEST(LineSettings, ParityCharacterSizeAndStopBitsBecomeControlFlags)
{
    const tcflag_t others = CREAD | CLOCAL | HUPCL | CRTSCTS | B9600;
    const struct {
        LineSettings settings;
        tcflag_t flags;
    } cases[] = {
        {{9600, TParity::None, TDataBits::_8, TStopBits::_1}, CS8},
        {{9600, TParity::Odd, TDataBits::_7, TStopBits::_1}, CS7 | PARENB | PARODD},
        {{9600, TParity::Even, TDataBits::_6, TStopBits::_2}, CS6 | PARENB | CSTOPB},
        {{9600, TParity::Mark, TDataBits::_8, TStopBits::_1}, CS8 | PARENB | PARODD | CMSPAR},
        {{9600, TParity::Space, TDataBits::_5, TStopBits::_1_5}, CS5 | PARENB | CMSPAR | CSTOPB},
    };
    // Start from a line set to everything else, so that each setting must clear as well.
    const tcflag_t present = others | CS7 | PARENB | PARODD | CMSPAR | CSTOPB;
    for (const auto &c : cases) {
        const quint32 flags = c.settings.controlFlags(present);
        EXPECT_EQ(flags, c.flags | others) << int(c.settings.parity);
        LineSettings back = LineSettings::fromControlFlags(flags, 9600);
        if (c.settings.stopBits == TStopBits::_1_5)
            back.stopBits = TStopBits::_1_5; // reads back as two
        EXPECT_EQ(back, c.settings);
    }
    // Four data bits: the line keeps its character size.
    const LineSettings four{9600, TParity::None, TDataBits::_4, TStopBits::_1};
    EXPECT_EQ(four.controlFlags(others | CS7) & CSIZE, tcflag_t(CS7));
}

TEST_F(LineTest, ABurstWithShortGapsIsOneChunkAndALongGapEndsIt)
{
    port.setCarTimeout(400);
    ASSERT_TRUE(port.OpenPort());
    for (const char *piece : {"$GPGGA,1", "23519,48", "07.038,N", "\r\n$GPRMC", ",123519\r\n"}) {
        ASSERT_TRUE(pty.send(piece));
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], "$GPGGA,123519,4807.038,N\r\n$GPRMC,123519\r\n");

    ASSERT_TRUE(pty.send("next burst"));
    ASSERT_TRUE(waitForChunks(2));
    EXPECT_EQ(chunks[1], "next burst");
    EXPECT_EQ(chunks.size(), 2u);
}

TEST_F(LineTest, ALongBurstArrivesInChunksOfAtMost2048Bytes)
{
    port.setCarTimeout(1000);
    ASSERT_TRUE(port.OpenPort());
    const QByteArray burst = pattern(5000);
    std::thread far([&] { pty.send(burst); });
    const bool arrived = waitForChunks(3);
    far.join();
    ASSERT_TRUE(arrived);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].size(), 2048);
    EXPECT_EQ(chunks[1].size(), 2048);
    EXPECT_EQ(chunks[2].size(), 904);
    EXPECT_EQ(received(), burst);
    EXPECT_TRUE(terminated);
}

TEST_F(LineTest, WithoutCarTimeoutOnlyAFullBufferEndsARead)
{
    port.setCarTimeout(0);
    ASSERT_TRUE(port.OpenPort());
    ASSERT_TRUE(pty.send(pattern(100)));
    std::this_thread::sleep_for(300ms); // a pause far longer than any gap time-out
    ASSERT_TRUE(pty.send(pattern(2048)));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], pattern(100) + pattern(2048).left(1948));
    EXPECT_EQ(chunks.size(), 1u);
}

TEST_F(LineTest, EveryByteValueIsDataAndEveryChunkEndsWithAZero)
{
    ASSERT_TRUE(port.OpenPort());
    const QByteArray bytes("AB\0CD\0", 6);
    ASSERT_TRUE(pty.send(bytes));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_EQ(chunks[0], bytes);

    // Carriage returns, XON/XOFF, interrupt, end-of-file: nothing is translated or eaten.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    ASSERT_TRUE(pty.send(all));
    ASSERT_TRUE(waitForChunks(2));
    EXPECT_EQ(chunks[1], all);
    EXPECT_TRUE(terminated);
}

TEST_F(LineTest, AVanishedDeviceDeliversWhatCameAndThenHangsUp)
{
    port.setCarTimeout(5000); // the chunk is still open when the device goes
    ASSERT_TRUE(port.OpenPort());
    ASSERT_TRUE(pty.send("last words"));
    // The kernel hands the bytes to the line a moment later; the reader takes them off
    // the line before the far end goes (bytes still on the line go with it).
    QTest::qWait(200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pty.waiting() == 0; }, IoBoundMs));
    pty.closeMaster();
    pty.closeSlave();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hangups > 0; }, IoBoundMs));
    EXPECT_EQ(hangupSender, &port);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], "last words");
    EXPECT_TRUE(port.isOpen()); // until the owner closes it
    port.ClosePort();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(hangups, 1);
}

TEST_F(LineTest, ClosingWhileBytesStreamInReturnsPromptly)
{
    port.setCarTimeout(0);
    ASSERT_TRUE(port.OpenPort());
    std::atomic<bool> stop{false};
    std::thread far([&] {
        while (!stop && pty.send(pattern(256), 200)) {
        }
    });
    ASSERT_TRUE(waitForChunks(2));
    QElapsedTimer closing;
    closing.start();
    port.ClosePort();
    const qint64 ms = closing.elapsed();
    stop = true;
    far.join();
    EXPECT_FALSE(port.isOpen());
    EXPECT_LT(ms, 1000);
    // What was delivered is whole and in order.
    const QByteArray all = received();
    EXPECT_EQ(all, pattern(256).repeated(all.size() / 256 + 1).left(all.size()));
}

TEST_F(LineTest, AReceiveHandlerMayCloseThePort)
{
    port.setOnReceiveData([this](const char *buffer, quint16 length) {
        chunks.emplace_back(buffer, length);
        port.ClosePort();
    });
    ASSERT_TRUE(port.OpenPort());
    ASSERT_TRUE(pty.send("stop"));
    ASSERT_TRUE(waitForChunks(1));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(LineTest, TheWriterSendsQueuedBytes)
{
    ASSERT_TRUE(port.OpenPort());
    EXPECT_TRUE(port.WriteData("ATZ\r"));
    EXPECT_TRUE(port.WriteData(pattern(3000)));
    QByteArray far;
    QElapsedTimer waited;
    waited.start();
    while (far.size() < 3004 && waited.elapsed() < IoBoundMs)
        far += pty.receive(100);
    EXPECT_EQ(far, "ATZ\r" + pattern(3000));
    port.ClosePort();
    EXPECT_FALSE(port.WriteData("late"));
}

TEST_F(LineTest, DestroyingAnOpenPortStopsItsWorkersAndFreesTheLine)
{
    {
        TVSSComm32 temporary;
        const QString path = pty.path();
        temporary.setDevicePaths([path](TCommPort) { return path; });
        temporary.setCarTimeout(0);
        ASSERT_TRUE(temporary.OpenPort());
        ASSERT_TRUE(pty.send(pattern(2048 * 3)));
    }
    // The pending chunks went with the component; the line can be opened again.
    EXPECT_TRUE(port.OpenPort());
    QCoreApplication::processEvents();
}
