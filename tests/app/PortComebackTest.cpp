#include "app/CommPortControl.h"
#include "app/DevicePorts.h"
#include "app/OptionsScreen.h"
#include "app/TForm1.h"
#include "can/CanPage.h"
#include "can/FakeClock.h"
#include "serial/ReopeningPort.h"
#include "support/PseudoTerminal.h"
#include "support/SilentListener.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <unistd.h>

namespace {

constexpr int IoBoundMs = 5000; // real I/O through a pseudo-terminal: reached only on failure

int openDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).count()); }

// A serial adapter that can be pulled out and plugged in again: the settings name a link
// that the test points at a fresh pseudo-terminal each time, as udev does with a
// /dev/serial/by-id name.
class Adapter {
public:
    explicit Adapter(QString link) : m_link(std::move(link)) { plugIn(); }
    void plugIn()
    {
        m_pty = std::make_unique<PseudoTerminal>();
        QFile::remove(m_link);
        QFile::link(m_pty->path(), m_link);
    }
    void pullOut()
    {
        m_pty.reset();
        QFile::remove(m_link);
    }
    bool send(const QByteArray &bytes) const { return m_pty && m_pty->send(bytes); }
    bool valid() const { return m_pty && m_pty->valid(); }

private:
    QString m_link;
    std::unique_ptr<PseudoTerminal> m_pty;
};

class PortComebackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("Rovana.ini"),
                  QStringLiteral("[Devices]\nCOM3=%1\n").arg(link).toUtf8());
    }
    std::unique_ptr<ReopeningPort> gpsPort()
    {
        auto port = DevicePorts::gps(dir.file(QStringLiteral("Rovana.ini")), clock.factory());
        port->setOnMessage([this](const QString &line) { messages << line; });
        port->setOnReceiveData(
            [this](const char *buffer, quint16 length) { received.append(buffer, length); });
        port->setPortIndex(2);
        return port;
    }
    bool arrives(const QByteArray &bytes)
    {
        return QTest::qWaitFor([&] { return received.contains(bytes); }, IoBoundMs);
    }

    TempDir dir;
    QString link = dir.file(QStringLiteral("gps-by-id"));
    FakeClock clock;
    QStringList messages;
    QByteArray received;
};

TEST_F(PortComebackTest, AGpsAdapterPulledOutAndPluggedInFiftyTimesComesBackEachTime)
{
    Adapter adapter(link);
    ASSERT_TRUE(adapter.valid());
    auto port = gpsPort();
    ASSERT_TRUE(port->OpenPort());
    ASSERT_TRUE(adapter.send("$GPGGA,first\r\n"));
    ASSERT_TRUE(arrives("$GPGGA,first"));
    const int descriptors = openDescriptors();

    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        adapter.pullOut();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !port->isOpen(); }, IoBoundMs));
        EXPECT_TRUE(port->searching());
        clock.advance(ReopeningPort::SearchMs); // still gone: one more look, no message
        EXPECT_FALSE(port->isOpen());
        adapter.plugIn();
        clock.advance(ReopeningPort::SearchMs);
        ASSERT_TRUE(port->isOpen());
        EXPECT_FALSE(port->searching());
        const QByteArray sentence = "$GPGGA,round" + QByteArray::number(round) + "\r\n";
        ASSERT_TRUE(adapter.send(sentence));
        ASSERT_TRUE(arrives(sentence));
    }
    EXPECT_EQ(messages.size(), 100);
    EXPECT_EQ(messages.count(ReopeningPort::goneText(QStringLiteral("GPS"), link)), 50);
    EXPECT_EQ(messages.count(ReopeningPort::backText(QStringLiteral("GPS"), link)), 50);
    EXPECT_EQ(messages.first(),
              QStringLiteral("GPS port %1 is missing, looking for it every 2 s").arg(link));
    EXPECT_EQ(openDescriptors(), descriptors) << "a descriptor was leaked";
}

TEST_F(PortComebackTest, AnAdapterMissingAtStartIsOpenedWhenItComesAndAClosedPortStaysClosed)
{
    auto port = gpsPort();
    EXPECT_ANY_THROW(port->OpenPort()) << "the owner still hears of the failure";
    EXPECT_EQ(messages, QStringList{ReopeningPort::goneText(QStringLiteral("GPS"), link)});
    clock.advance(6000);
    EXPECT_EQ(messages.size(), 1);
    Adapter adapter(link);
    clock.advance(ReopeningPort::SearchMs);
    ASSERT_TRUE(port->isOpen());
    EXPECT_EQ(messages.last(), ReopeningPort::backText(QStringLiteral("GPS"), link));

    // The owner closes it ("Stop COM", a changed setting): a hang-up then is no loss.
    port->ClosePort();
    adapter.pullOut();
    clock.advance(10000);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(port->searching());
    EXPECT_EQ(messages.size(), 2);

    // After an unplug the machine's wake-up looks at once instead of 2 s later.
    Adapter again(link);
    ASSERT_TRUE(port->OpenPort());
    again.pullOut();
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->searching(); }, IoBoundMs));
    again.plugIn();
    port->searchNow();
    EXPECT_TRUE(port->isOpen());
}

// udev names an adapter twice: /dev/ttyUSBn in the order found, and after what it is.
TEST_F(PortComebackTest, AnAdapterBackUnderAnotherNumberIsFoundByItsStableName)
{
    const QString byId = dir.mkdir(QStringLiteral("by-id"));
    const QString stable = byId + QStringLiteral("/usb-Prolific_USB-Serial-if00-port0");
    auto plug = [&](const PseudoTerminal &pty, const QString &numbered) {
        QFile::remove(stable);
        QFile::link(pty.path(), stable);
        QFile::link(pty.path(), numbered);
    };
    auto first = std::make_unique<PseudoTerminal>();
    plug(*first, link); // the settings name the numbered device
    auto port = DevicePorts::gps(dir.file(QStringLiteral("Rovana.ini")), clock.factory(), byId);
    port->setOnMessage([this](const QString &line) { messages << line; });
    port->setOnReceiveData(
        [this](const char *buffer, quint16 length) { received.append(buffer, length); });
    port->setPortIndex(2);
    ASSERT_TRUE(port->OpenPort());

    first.reset();
    QFile::remove(link);
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->searching(); }, IoBoundMs));
    PseudoTerminal second;
    plug(second, dir.file(QStringLiteral("ttyUSB1")));
    clock.advance(ReopeningPort::SearchMs);
    ASSERT_TRUE(port->isOpen());
    EXPECT_EQ(messages.last(), ReopeningPort::backText(QStringLiteral("GPS"), stable));
    ASSERT_TRUE(second.send("$GPGGA,again\r\n"));
    EXPECT_TRUE(arrives("$GPGGA,again"));

    // The owner's next open is of the configured device again.
    port->ClosePort();
    EXPECT_ANY_THROW(port->OpenPort());
    EXPECT_EQ(messages.last(), ReopeningPort::goneText(QStringLiteral("GPS"), link));
    clock.advance(ReopeningPort::SearchMs);
    EXPECT_TRUE(port->isOpen()) << "and the stable name when that is missing";
}

// The whole window with its CAN2COM adapter on a link to a pseudo-terminal.
TEST_F(PortComebackTest, TheCanLinkComesBackAndItsTraceShowsTheRestart)
{
    const QString canLink = dir.file(QStringLiteral("can-by-id"));
    dir.write(QStringLiteral("Rovana.ini"),
              QStringLiteral("[CAN2ComPort]\nEnabled=1\nRadioGroup4.ItemIndex=0\n"
                             "[Devices]\nCOM1=%1\n")
                  .arg(canLink)
                  .toUtf8());
    Adapter adapter(canLink);
    Services services;
    auto port = DevicePorts::can2com(dir.file(QStringLiteral("Rovana.ini")), clock.factory());
    ReopeningPort *can = port.get();
    services.can2comPort = std::move(port);
    TForm1 form(dir.path(), standInServices(std::move(services)));
    ASSERT_TRUE(can->isOpen());
    CanPage *page = form.options()->canPage()->findChild<CanPage *>();
    ASSERT_NE(page, nullptr);

    adapter.pullOut();
    ASSERT_TRUE(QTest::qWaitFor([&] { return can->searching(); }, IoBoundMs));
    adapter.plugIn();
    clock.advance(ReopeningPort::SearchMs);
    ASSERT_TRUE(can->isOpen());
    const QString trace = page->CAN2COMMemo->toPlainText();
    EXPECT_TRUE(trace.contains(ReopeningPort::goneText(QStringLiteral("CAN2COM"), canLink)));
    EXPECT_TRUE(trace.contains(ReopeningPort::backText(QStringLiteral("CAN2COM"), canLink)));
    EXPECT_TRUE(form.options()->sysMessages().contains(
        ReopeningPort::backText(QStringLiteral("CAN2COM"), canLink)));
    // Lines flow again: the key position reaches the CAN page.
    ASSERT_TRUE(adapter.send("1003\r"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return page->keypos->text() == "Ignition Key 2"; }, IoBoundMs));
}

// A gpsd across the network that does not answer must not hold the screen: the port is
// missing at the next look, not before, and back only once the connection stands.
TEST_F(PortComebackTest, AGpsdThatDoesNotAnswerIsMissingAtTheNextLookAndBackWhenItAnswers)
{
    SilentListener gpsd;
    ASSERT_TRUE(gpsd.full());
    dir.write(QStringLiteral("Rovana.ini"),
              QStringLiteral("[Devices]\nGPS=gpsd:127.0.0.1:%1\n").arg(gpsd.port()).toUtf8());
    const QString address = QStringLiteral("gpsd at 127.0.0.1:%1").arg(gpsd.port());
    auto port = gpsPort();
    ASSERT_TRUE(port->OpenPort()) << "returned before gpsd answered";
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(messages.isEmpty());

    clock.advance(ReopeningPort::SearchMs); // no answer by the next look: called again
    EXPECT_EQ(messages, QStringList{ReopeningPort::goneText(QStringLiteral("GPS"), address)});
    EXPECT_FALSE(port->isOpen());
    ASSERT_TRUE(gpsd.makeRoom());
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->isOpen(); }, IoBoundMs));
    EXPECT_FALSE(port->searching());
    EXPECT_EQ(messages, QStringList({ReopeningPort::goneText(QStringLiteral("GPS"), address),
                                     ReopeningPort::backText(QStringLiteral("GPS"), address)}));
}

TEST_F(PortComebackTest, AGpsdThatRefusesLaterIsMissingAtOnceAndLookedForAgain)
{
    SilentListener gpsd;
    dir.write(QStringLiteral("Rovana.ini"),
              QStringLiteral("[Devices]\nGPS=gpsd:127.0.0.1:%1\n").arg(gpsd.port()).toUtf8());
    const QString address = QStringLiteral("gpsd at 127.0.0.1:%1").arg(gpsd.port());
    auto port = gpsPort();
    ASSERT_TRUE(port->OpenPort());
    gpsd.close(); // the call's next try is refused
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, IoBoundMs));
    EXPECT_EQ(messages, QStringList{ReopeningPort::goneText(QStringLiteral("GPS"), address)});
    EXPECT_TRUE(port->searching());
    clock.advance(ReopeningPort::SearchMs); // refused at once now: still missing, told once
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(port->searching());
    EXPECT_EQ(messages.size(), 1);
}

} // namespace
