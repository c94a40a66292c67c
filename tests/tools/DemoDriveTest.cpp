// The demo as make run starts it, for a few seconds: the real rovana-feed replaying the
// demo drive and the car's lines through pseudo-terminals, the window on a program
// directory set up as the demo's.
#include "app/CommPortControl.h"
#include "app/MainMenuBar.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/ColourScheme.h"
#include "core/Screen.h"
#include "gps/CameraListText.h"
#include "gps/RadarBin.h"
#include "gps/RadarScreen.h"
#include "NmeaSentence.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "WaypointDrive.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {

constexpr int IoBoundMs = 10000; // real processes: generous, only reached on failure

QByteArray sourceFile(const QString &relative)
{
    QFile f(qEnvironmentVariable("ROVANA_TEST_SOURCE_DIR") + QLatin1Char('/') + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// radar.bin from the demo's camera list, as rovana-radar makes it.
QByteArray radarBin(const QByteArray &list)
{
    const CameraListText::Parsed parsed = CameraListText::parse(QString::fromUtf8(list));
    return parsed.errors.isEmpty() ? RadarBin::encode(parsed.cameras) : QByteArray();
}

class DemoDriveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto points = WaypointDrive::parseWaypoints(sourceFile("tools/feed/demo/drive.txt"));
        ASSERT_TRUE(points);
        const QDateTime start(QDate(2024, 5, 18), QTime(9, 30, 0), Qt::UTC);
        // Two seconds standing at the start, engine running, then the drive.
        QByteArray gps;
        for (int s = -2; s < 0; ++s) {
            DriveFix standing;
            standing.utc = start.addSecs(s);
            standing.position = points->front();
            gps += NmeaSentence::gga(standing) + "\r\n" + NmeaSentence::rmc(standing) + "\r\n";
        }
        // The demo's route at a motorway pace, so the first camera comes within seconds.
        gps += WaypointDrive(*points, 150.0, start).nmeaLog();
        dir.write("feed/gps.log", gps);
        // The left roller up once, soon after the start.
        dir.write("feed/can.log", "+700\n1601\n+60000\n");
        const QByteArray cameras = radarBin(sourceFile("tools/radar/demo-cameras.txt"));
        ASSERT_FALSE(cameras.isEmpty());
        dir.write("radar.bin", cameras);
        dir.write("Rovana.ini",
                  "[GPSMouseOptions]\nEnabled=1\n[GPSComPort]\nRadioGroup3.ItemIndex=0\n"
                  "[CAN2ComPort]\nEnabled=1\nRadioGroup4.ItemIndex=1\n"
                  "[Global_radarwarning]\nEnabled=1\n[Devices]\nCOM1=" +
                      dir.file("gps.tty").toUtf8() + "\nCOM2=" + dir.file("can.tty").toUtf8() +
                      "\n");
        startFeed(gpsFeed, "gps");
        startFeed(canFeed, "can");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return QFileInfo(dir.file("gps.tty")).isSymLink() &&
                       QFileInfo(dir.file("can.tty")).isSymLink();
            },
            IoBoundMs));
    }
    void TearDown() override
    {
        form.reset();
        for (QProcess *feed : {&gpsFeed, &canFeed}) {
            feed->terminate();
            EXPECT_TRUE(feed->waitForFinished(IoBoundMs));
            EXPECT_EQ(feed->exitCode(), 0);
        }
    }
    void startFeed(QProcess &feed, const QString &kind)
    {
        feed.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        feed.start(QStringLiteral(ROVANA_FEED),
                   {kind, dir.file("feed/" + kind + ".log"), dir.file(kind + ".tty")});
        ASSERT_TRUE(feed.waitForStarted(IoBoundMs));
    }

    TempDir dir;
    QProcess gpsFeed;
    QProcess canFeed;
    std::unique_ptr<TForm1> form;
};

TEST_F(DemoDriveTest, TheCarDrivesPastACamera)
{
    // The program's real serial ports; sound, video and power stay the window's stand-ins.
    Services services;
    services.gpsPort = CommPortControl::gps(dir.file("Rovana.ini"));
    services.can2comPort = CommPortControl::can2com(dir.file("Rovana.ini"));
    form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
    form->show();
    ASSERT_EQ(form->mainMenu()->highlighted(), MainMenuBar::DriversLog);
    const QLabel *gpsLabel = form->statusLine()->GPSLabel;
    const QColor dim = gpsLabel->palette().color(QPalette::WindowText);
    RadarScreen *radar = form->radar();

    // The wheel's line moves the main menu's highlight on.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return form->mainMenu()->highlighted() == MainMenuBar::DriversLog + 1; }, IoBoundMs));
    // The receiver's sentences: the GPS label lights up, the POI screen shows the place.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return gpsLabel->palette().color(QPalette::WindowText) != dim; }, IoBoundMs));
    EXPECT_EQ(gpsLabel->palette().color(QPalette::WindowText), form->colours().main());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return radar->NAV_LAT->text().startsWith(QString::fromUtf8("51°21")); }, IoBoundMs))
        << radar->NAV_LAT->text().toStdString();
    EXPECT_TRUE(radar->NAV_LON->text().startsWith(QString::fromUtf8("7°14")))
        << radar->NAV_LON->text().toStdString();
    // Under way towards the first camera: the alert, on the POI screen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return radar->Alertpanel->isVisible(); }, IoBoundMs));
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_FALSE(radar->RadarWarning_distance->text().isEmpty());
}

} // namespace
