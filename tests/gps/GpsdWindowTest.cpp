#include "app/DevicePorts.h"
#include "app/OptionsScreen.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "gps/GpsReception.h"
#include "gps/RadarBin.h"
#include "gps/RadarScreen.h"
#include "serial/ReopeningPort.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include "CameraTestData.h"
#include "can/FakeClock.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace CameraTestData;

namespace {

constexpr int StartBoundMs = 15000; // gpsfake starts a Python program and gpsd

QByteArray framed(const QByteArray &body)
{
    uint sum = 0;
    for (const char c : body)
        sum ^= uchar(c);
    return "$" + body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray coordinate(double value, int degreeDigits)
{
    const int degrees = int(value);
    return QByteArray::number(degrees).rightJustified(degreeDigits, '0') +
           QByteArray::number((value - degrees) * 60.0, 'f', 4).rightJustified(7, '0');
}

// A drive north in 100 m steps, one GGA and RMC a second.
QByteArray driveLog(double latitude, double longitude, int fixes)
{
    QByteArray log;
    for (int i = 0; i < fixes; ++i) {
        const QByteArray time = "1200" + QByteArray::number(i).rightJustified(2, '0');
        const QByteArray place =
            coordinate(latitude + i * 0.0009, 2) + ",N," + coordinate(longitude, 3) + ",E";
        log += framed("GPGGA," + time + "," + place + ",1,07,01.1,00153.8,M,086.0,M,,");
        log += framed("GPRMC," + time + ",A," + place + ",054.0,000.0,191194,,");
    }
    return log;
}

quint16 freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool listening(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// A real gpsd, started by gpsfake, replaying a log to its clients.
class GpsFake {
public:
    GpsFake(QString log, quint16 port) : m_log(std::move(log)), m_port(port) {}
    ~GpsFake() { stop(); }
    GpsFake(const GpsFake &) = delete;
    GpsFake &operator=(const GpsFake &) = delete;

    // False (with the reason in error()) when gpsfake can't run here.
    bool start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("gpsfake"));
        if (program.isEmpty()) {
            m_error = QStringLiteral("gpsfake is not installed");
            return false;
        }
        // -n: start feeding without waiting for a client; -c: 0.2 s between sentences.
        m_process.start(program, {QStringLiteral("-q"), QStringLiteral("-n"), QStringLiteral("-c"),
                                  QStringLiteral("0.2"), QStringLiteral("-P"),
                                  QString::number(m_port), m_log});
        if (!m_process.waitForStarted(StartBoundMs) ||
            !QTest::qWaitFor(
                [&] { return listening(m_port) || m_process.state() == QProcess::NotRunning; },
                StartBoundMs) ||
            !listening(m_port)) {
            m_error = QStringLiteral("gpsfake did not start: ") +
                      QString::fromLocal8Bit(m_process.readAllStandardError());
            stop();
            return false;
        }
        return true;
    }
    // gpsfake ends its gpsd with it.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(StartBoundMs))
            m_process.kill();
        m_process.waitForFinished();
    }
    QString error() const { return m_error; }

private:
    QString m_log;
    quint16 m_port;
    QProcess m_process;
    QString m_error;
};

constexpr double StartLat = 51.3500;
constexpr double StartLon = 7.2400;

class GpsdWindowTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QColor gpsColour() const
    {
        return form->statusLine()->GPSLabel->palette().color(QPalette::WindowText);
    }

    TempDir dir;
    FakeClock clock; // outlives the window's timers
    std::unique_ptr<TForm1> form;
};

TEST_F(GpsdWindowTest, TheReceiverReadThroughGpsdDrivesTheWindowAndComesBackAfterARestart)
{
    const quint16 port = freePort();
    ASSERT_NE(port, 0);
    dir.write(QStringLiteral("drive.log"), driveLog(StartLat, StartLon, 20));
    GpsFake gpsd(dir.file(QStringLiteral("drive.log")), port);
    if (!gpsd.start())
        GTEST_SKIP() << gpsd.error().toStdString();

    // A camera 1.5 km north of the start: within the warning distance after a few fixes.
    dir.write(QStringLiteral("radar.bin"),
              RadarBin::encode({cameraFrom(StartLat, StartLon, 1.5, 0.0, 50)}));
    dir.write(QStringLiteral("Rovana.ini"),
              QStringLiteral("[Devices]\nGPS=gpsd:127.0.0.1:%1\n[GPSMouseOptions]\nEnabled=1\n"
                             "[Global_radarwarning]\nEnabled=1\n")
                  .arg(port)
                  .toUtf8());
    Services services;
    auto source = DevicePorts::gps(dir.file(QStringLiteral("Rovana.ini")), clock.factory());
    ReopeningPort *line = source.get();
    services.gpsPort = std::move(source);
    services.platformNotes << DevicePorts::gpsSourceNote(dir.file(QStringLiteral("Rovana.ini")));
    form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
    form->show();
    EXPECT_TRUE(form->options()->sysMessages().contains(
        QStringLiteral("GPS source: gpsd at 127.0.0.1:%1").arg(port)));
    ASSERT_TRUE(line->isOpen());

    RadarScreen *radar = form->radar();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return radar->NAV_LAT->text().startsWith("51°2"); }, StartBoundMs))
        << radar->NAV_LAT->text().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return radar->Alertpanel->isVisible(); }, StartBoundMs));
    EXPECT_GT(form->shared().TripKm, 0.5);
    EXPECT_EQ(radar->NAV_SOG->text(), "100 km/h");

    // gpsd goes away: the source is looked for every 2 s; fixes come back once it is there.
    gpsd.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return line->searching(); }, StartBoundMs));
    EXPECT_FALSE(line->isOpen());
    clock.advance(ReopeningPort::SearchMs); // nobody there yet
    EXPECT_FALSE(line->isOpen());
    ASSERT_TRUE(gpsd.start()) << gpsd.error().toStdString();
    QPalette grey = form->statusLine()->GPSLabel->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    form->statusLine()->GPSLabel->setPalette(grey);
    clock.advance(ReopeningPort::SearchMs);
    ASSERT_TRUE(line->isOpen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gpsColour() != QColor(Qt::gray); }, 3000))
        << "no fix within 3 s of gpsd's return";
    const QStringList messages = form->options()->sysMessages();
    const QString address = QStringLiteral("gpsd at 127.0.0.1:%1").arg(port);
    EXPECT_EQ(messages.count(ReopeningPort::goneText(QStringLiteral("GPS"), address)), 1);
    EXPECT_EQ(messages.count(ReopeningPort::backText(QStringLiteral("GPS"), address)), 1);
}

} // namespace
