#include "app/OptionsScreen.h"
#include "app/PoiKeys.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/Screen.h"
#include "gps/CameraWarning.h"
#include "gps/GpsReception.h"
#include "gps/RadarBin.h"
#include "gps/RadarScreen.h"
#include "media/VideoPlayback.h"
#include "support/KeyInput.h"
#include "support/PortRequestLog.h"
#include "support/RecordingSoundPlayer.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/PaintBox.h"
#include "widgets/PanelButton.h"

#include "CameraTestData.h"
#include "can/FakeClock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

using namespace CameraTestData;

namespace {

constexpr double StartLat = 51.3500;
constexpr double StartLon = 7.2400;

class RadarWarningWindowTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void start(const std::vector<CameraRecord> &cameras, bool warningOn = true,
               IntervalTimer::Factory alertTimers = {})
    {
        dir.write(QStringLiteral("radar.bin"), RadarBin::encode(cameras));
        dir.write(QStringLiteral("Rovana.ini"), QByteArray("[Global_radarwarning]\nEnabled=") +
                                                    (warningOn ? "1" : "0") +
                                                    "\n[Sounds]\nWarning=/sounds/alarm.wav\n");
        Services services;
        auto recorder = std::make_unique<RecordingSoundPlayer>();
        sound = recorder.get();
        services.sound = std::move(recorder);
        auto port = std::make_unique<PortRequestLog>(2);
        gpsLine = port.get();
        services.gpsPort = std::move(port);
        services.alertTimers = std::move(alertTimers);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->show();
    }

    // Two fixes 100 m apart heading north: the second is the car's position.
    void driveNorth()
    {
        form->gps()->ProcessNmeaText(ggaAt(StartLat, StartLon));
        form->gps()->ProcessNmeaText(ggaAt(StartLat + 0.0009, StartLon));
    }
    CameraRecord ahead(double km, qint32 limit)
    {
        return cameraFrom(StartLat + 0.0009, StartLon, km, 0.0, limit);
    }
    QString text(QLabel *l) const { return l->text(); }
    QStringList sysMemo() const
    {
        return form->options()->SysMemo->toPlainText().split(QLatin1Char('\n'));
    }

    TempDir dir;
    FakeClock clock; // outlives the window's timers
    RecordingSoundPlayer *sound = nullptr;
    PortRequestLog *gpsLine = nullptr;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(RadarWarningWindowTest, TheCameraTableIsLoadedAtStart)
{
    start({ahead(3, 50), ahead(5, 70)});
    EXPECT_TRUE(sysMemo().contains("Radar list created - items=2"));
    EXPECT_EQ(form->cameraWarning()->table().CameraCount(), 2);
}

TEST_F(RadarWarningWindowTest, WithoutAFileTheWarningIsDisabledWithAMessage)
{
    form = std::make_unique<TForm1>(dir.path(), standInServices());
    EXPECT_TRUE(sysMemo().contains("file radar.bin not found - speed control system disabled"));
}

TEST_F(RadarWarningWindowTest, ACameraAheadRaisesTheAlertOverTheMainMenuAndReturns)
{
    start({ahead(0.6, 50), ahead(2.0, 70)});
    ASSERT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    driveNorth();
    RadarScreen *radar = form->radar();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_EQ(form->navigator().title(), "POI");
    EXPECT_TRUE(radar->Alertpanel->isVisible());
    EXPECT_EQ(radar->Alert_RadarWarning_limit->text(), "50");
    EXPECT_EQ(radar->RadarWarning_distance->text(), "600 m");
    EXPECT_EQ(radar->Second_RadarWarning_distance->text(), "2nd in 2000m");
    EXPECT_EQ(sound->played().filter("alarm").size(), 2); // both fixes alert
    EXPECT_EQ(form->shared().AlertReturnPage, Screen::MP3Start);
    // The map shows the cameras: the bitmap is no longer the bare background.
    EXPECT_NE(radar->seekarte->image(), form->cameraWarning()->map().background());

    form->cameraWarning()->AlertDisappearTimerTimer();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_EQ(form->navigator().title(), "Main");
    EXPECT_FALSE(radar->Alertpanel->isVisible());
    EXPECT_TRUE(form->statusLine()->sensorlabel->isVisible());
}

TEST_F(RadarWarningWindowTest, AnAlertDuringAFilmHidesItsPictureAndBringsItBack)
{
    start({ahead(0.6, 50)});
    form->navigator().showScreen(Screen::Video_Play);
    form->navigator().setTitle(QStringLiteral("Video playing"));
    form->video()->ShowVideoWindowed();
    ASSERT_TRUE(form->video()->moviePanel()->isVisible());
    driveNorth();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_FALSE(form->video()->moviePanel()->isVisible());
    form->cameraWarning()->AlertDisappearTimerTimer();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_EQ(form->navigator().title(), "Video playing");
    EXPECT_TRUE(form->video()->moviePanel()->isVisible());
}

TEST_F(RadarWarningWindowTest, TheKnobStepsTheWarningDistanceAndRedrawsTheMap)
{
    start({ahead(0.6, 50)});
    form->ComandPanelBottomLeftClick();
    RadarScreen *radar = form->radar();
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "1.0 km");
    for (int i = 0; i < 12; ++i)
        KeyInput::press(form.get(), 'Z');
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "0.1 km");
    KeyInput::press(form.get(), 'T');
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "0.2 km");
    // 0.6 km is beyond 0.2 km: no alert.
    driveNorth();
    EXPECT_FALSE(radar->Alertpanel->isVisible());
    EXPECT_EQ(radar->RadarWarning_distance->text(), "600 m");
    KeyInput::press(form.get(), 'R');
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 2.0km");
}

TEST_F(RadarWarningWindowTest, TheSwitchTurnsTheCheckOff)
{
    start({ahead(0.6, 50)}, false);
    form->ComandPanelBottomLeftClick();
    EXPECT_FALSE(form->statusLine()->sensorlabel->isVisible());
    driveNorth();
    EXPECT_EQ(form->radar()->RadarWarning_distance->text(), "");
    KeyInput::press(form.get(), 'C');
    EXPECT_TRUE(form->shared().RadarSystemOn);
    EXPECT_EQ(form->radar()->RadarSystemMessage->text(), "On");
    EXPECT_TRUE(form->statusLine()->sensorlabel->isVisible());
    form->gps()->ProcessNmeaText(ggaAt(StartLat + 0.0018, StartLon));
    EXPECT_EQ(form->radar()->RadarWarning_distance->text(), "500 m");
}

// In a tunnel the receiver loses the fix: GGA of quality 0 with empty fields and RMC
// status V, then quality 0 with the last coordinates and the satellites it still sees,
// every second. The alert ends 5 s after the last alerting fix, as any alert does, and
// the stale position raises no further alert.
TEST_F(RadarWarningWindowTest, LosingTheFixEndsTheAlertAsAnyOther)
{
    start({ahead(0.6, 50), ahead(2.0, 70)}, true, clock.factory());
    gpsLine->deliver(ggaAt(StartLat, StartLon).toLatin1());
    clock.advance(1000);
    gpsLine->deliver(ggaAt(StartLat + 0.0009, StartLon).toLatin1());
    RadarScreen *radar = form->radar();
    ASSERT_EQ(form->navigator().activeScreen(), Screen::Radar);
    ASSERT_TRUE(radar->Alertpanel->isVisible());
    ASSERT_EQ(radar->Alert_RadarWarning_limit->text(), "50");
    const qsizetype alarms = sound->played().filter("alarm").size();
    ASSERT_EQ(alarms, 2);

    qint64 backAfterMs = -1;
    for (int second = 1; second <= 10; ++second) {
        clock.advance(1000);
        const QString time = QStringLiteral("1200%1").arg(second, 2, 10, QLatin1Char('0'));
        const QString noFix =
            second == 1 ? nmeaFramed("GPGGA," + time + ",,,,,0,00,,,M,,M,,")
                        : nmeaFramed("GPGGA," + time + "," +
                                     nmeaPosition(StartLat + 0.0009, StartLon) + ",0,04,,,M,,M,,");
        gpsLine->deliver((noFix + nmeaFramed("GPRMC," + time + ",V,,,,,,,091226,,,N")).toLatin1());
        if (backAfterMs < 0 && form->navigator().activeScreen() == Screen::MP3Start)
            backAfterMs = clock.now() - 1000;
        if (second == 1) {
            EXPECT_EQ(radar->NAV_SatNum->text(), "00 SATs ");
            EXPECT_EQ(radar->Alert_RadarWarning_limit->text(), "");
            EXPECT_EQ(radar->RadarWarning_distance->text(), "");
        }
        if (second == 2) {
            EXPECT_EQ(radar->NAV_SatNum->text(), "04 SATs ");
            EXPECT_EQ(radar->Alert_RadarWarning_limit->text(), "");
        }
    }
    EXPECT_GT(backAfterMs, 0);
    EXPECT_LE(backAfterMs, 6000);
    EXPECT_EQ(form->navigator().title(), "Main");
    EXPECT_FALSE(radar->Alertpanel->isVisible());
    EXPECT_EQ(sound->played().filter("alarm").size(), alarms);
    // The fix comes back at the camera: the alert with it.
    gpsLine->deliver(ggaAt(StartLat + 0.0018, StartLon).toLatin1());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_EQ(sound->played().filter("alarm").size(), alarms + 1);
}

// A picture of the POI screen during an alert, for looking at: ROVANA_PICTURE_DIR.
TEST_F(RadarWarningWindowTest, ScreenshotOfTheAlert)
{
    const QByteArray out = qgetenv("ROVANA_PICTURE_DIR");
    start({ahead(0.6, 50), ahead(1.5, 70), cameraFrom(StartLat, StartLon, 1.2, 60, 100)});
    form->cameraWarning()->loadBackground(QString::fromLocal8Bit(out) + "/radarmap.png");
    form->ComandPanelBottomLeftClick();
    KeyInput::press(form.get(), 'R'); // 2 km
    driveNorth();
    EXPECT_TRUE(form->radar()->Alertpanel->isVisible());
    if (!out.isEmpty()) {
        EXPECT_TRUE(form->grab().save(QDir(QString::fromLocal8Bit(out)).filePath("poi-alert.png")));
    }
    // A shorter warning distance than the nearest camera: the map alone at 1 km.
    KeyInput::press(form.get(), 'L');
    for (int i = 0; i < 5; ++i)
        KeyInput::press(form.get(), 'Z');
    form->cameraWarning()->AlertDisappearTimerTimer();
    EXPECT_FALSE(form->radar()->Alertpanel->isVisible());
    if (!out.isEmpty()) {
        EXPECT_TRUE(form->grab().save(QDir(QString::fromLocal8Bit(out)).filePath("poi.png")));
    }
}
