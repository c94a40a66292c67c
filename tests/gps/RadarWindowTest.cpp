#include "app/CommPortControl.h"
#include "app/OptionsScreen.h"
#include "app/PoiKeys.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/Screen.h"
#include "gps/GpsReception.h"
#include "gps/GpsWatchdog.h"
#include "gps/RadarBin.h"
#include "gps/RadarScreen.h"
#include "support/KeyInput.h"
#include "support/PortRequestLog.h"
#include "support/PseudoTerminal.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/FittingPanel.h"
#include "widgets/PaintBox.h"
#include "widgets/PanelButton.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

namespace {

const QByteArray FixBurst =
    "$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A\r\n"
    "$GPRMC,214949,A,5121.5792,N,00714.4555,E,090.0,054.7,191194,020.3,E*73\r\n";

class RadarWindowTest : public ::testing::Test {
protected:
    void start(const QByteArray &ini = {}, Services services = {})
    {
        if (!ini.isEmpty())
            dir.write("Rovana.ini", ini);
        auto port = std::make_unique<PortRequestLog>(2);
        gpsLine = port.get();
        if (!services.gpsPort)
            services.gpsPort = std::move(port);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->show();
        radar = form->radar();
    }
    void key(char letter) { KeyInput::press(form.get(), letter); }
    QColor gpsColour() const
    {
        return form->statusLine()->GPSLabel->palette().color(QPalette::WindowText);
    }

    TempDir dir;
    PortRequestLog *gpsLine = nullptr;
    std::unique_ptr<TForm1> form;
    RadarScreen *radar = nullptr;
};

} // namespace

TEST_F(RadarWindowTest, TheScreenFillsThePoiPage)
{
    start();
    form->ComandPanelBottomLeftClick();
    EXPECT_EQ(radar->parentWidget(), form->page(Screen::Radar));
    EXPECT_TRUE(radar->isVisible());
    EXPECT_EQ(radar->seekarte->size(), QSize(631, 278));
    EXPECT_TRUE(radar->seekarte->isVisible());
    EXPECT_FALSE(radar->CheckBox2->isVisible());
    EXPECT_FALSE(radar->Alertpanel->isVisible());
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 1km");
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "1.0 km");
    EXPECT_EQ(radar->RadarSystemMessage->text(), "Off");
    // Every read-out lies inside the page.
    const QRect page(0, 0, 800, TForm1::PageHeight);
    for (QWidget *w : radar->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisible()) {
            EXPECT_TRUE(page.contains(w->geometry())) << w->objectName().toStdString();
        }
    }
}

TEST_F(RadarWindowTest, KnobStepsTheScaleAndTheWarningDistance)
{
    start();
    form->ComandPanelBottomLeftClick();
    key('L');
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 0.5km");
    key('L');
    key('L');
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 0.3km");
    key('R');
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 0.5km");
    for (int i = 0; i < 10; ++i)
        key('R');
    EXPECT_EQ(radar->Nav_scale->text(), "scale: 20.0km");
    key('T');
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "1.1 km");
    for (int i = 0; i < 12; ++i)
        key('Z');
    EXPECT_EQ(radar->RadarSensitivityLabel->text(), "0.1 km");
}

TEST_F(RadarWindowTest, CTogglesTheWarning)
{
    start();
    form->ComandPanelBottomLeftClick();
    QLabel *poi = form->statusLine()->sensorlabel;
    EXPECT_FALSE(poi->isVisible());
    key('C');
    EXPECT_TRUE(form->shared().RadarSystemOn);
    EXPECT_TRUE(radar->CheckBox2->isChecked());
    EXPECT_EQ(radar->RadarSystemMessage->text(), "On");
    EXPECT_TRUE(poi->isVisible());
    key('C');
    EXPECT_FALSE(form->shared().RadarSystemOn);
    EXPECT_EQ(radar->RadarSystemMessage->text(), "Off");
    EXPECT_FALSE(poi->isVisible());
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
}

TEST_F(RadarWindowTest, TheStoredSwitchIsShown)
{
    start("[Global_radarwarning]\nEnabled=1\n");
    EXPECT_TRUE(form->shared().RadarSystemOn);
    EXPECT_TRUE(radar->CheckBox2->isChecked());
    EXPECT_EQ(radar->RadarSystemMessage->text(), "On");
    EXPECT_TRUE(form->statusLine()->sensorlabel->isVisible());
}

TEST_F(RadarWindowTest, ChunksFromTheGpsPortReachTheScreen)
{
    start("[Global_radarwarning]\nEnabled=1\n[LastRecorded]\nkm=500\n");
    EXPECT_EQ(form->gpsWatchdog()->GPSTimeout().interval(), 15000);
    EXPECT_TRUE(form->gpsWatchdog()->GPSTimeout().isActive());
    form->gpsWatchdog()->GPSTimeoutTimer();
    EXPECT_EQ(gpsColour(), QColor(Qt::red));
    gpsLine->deliver(FixBurst);
    EXPECT_EQ(gpsColour(), form->colours().main());
    EXPECT_EQ(form->shared().gps.CurrentFix, (NavFix{51, 7, 21.5792, 14.4555}));
    EXPECT_EQ(form->shared().TripKm, 500.0);
    EXPECT_EQ(radar->NAV_SOG->text(), "167 km/h");
    EXPECT_EQ(radar->NAV_SatNum->text(), "07 SATs ");
}

TEST_F(RadarWindowTest, TheFourTestLabelsFeedTheReception)
{
    start("[Global_radarwarning]\nEnabled=1\n");
    emit radar->Second_RadarWarning_distance->clicked();
    EXPECT_EQ(radar->NAV_UTCTime->text(), "211821");
    EXPECT_EQ(form->shared().gps.CurrentFix.LatDegrees, 50);
    emit radar->RadarSensitivityLabel->clicked();
    EXPECT_EQ(radar->NAV_LAT->text(), "51°21.5780'N");
    emit radar->Nav_scale->clicked();
    EXPECT_EQ(radar->NAV_LAT->text(), "50°34.6678'N");
    emit radar->RadarSystemMessage->clicked();
    EXPECT_EQ(radar->NAV_LON->text(), "7°14.4529'E");
    EXPECT_FALSE(form->options()->sysMessages().contains("Error in checkforradar routine"));
}

// The real serial component on a pseudo-terminal, opened by the settings at start-up.
TEST_F(RadarWindowTest, ARealLineFeedsTheFix)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.valid());
    const QString ini = "[Devices]\nCOM1=" + pty.path() +
                        "\n[GPSMouseOptions]\nEnabled=1\n[GPSComPort]\nRadioGroup3.ItemIndex=0\n"
                        "[Global_radarwarning]\nEnabled=1\n";
    dir.write("Rovana.ini", ini.toUtf8());
    Services services;
    services.gpsPort = CommPortControl::gps(dir.file("Rovana.ini"));
    start({}, std::move(services));
    ASSERT_TRUE(form->gpsPort().isOpen());
    ASSERT_TRUE(pty.send(FixBurst));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return form->shared().gps.CurrentFix.LatDegrees == 51; }, 5000));
    EXPECT_EQ(radar->NAV_LAT->text(), "51°21.5792'N");
    EXPECT_EQ(gpsColour(), form->colours().main());
    // A second burst a moment later: 1' further north.
    ASSERT_TRUE(pty.send("$GPGGA,214950,5122.5792,N,00714.4555,E,1,07,01.1,00153.8,M,,M,,*61\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->shared().TripKm > 1.8; }, 5000));
    EXPECT_NEAR(form->shared().TripKm, 1.852, 1e-6);
}

// Look at it: ROVANA_SHOT_DIR=<dir> keeps a picture of the screen with a fix shown.
TEST_F(RadarWindowTest, Screenshot)
{
    start("[Global_radarwarning]\nEnabled=1\n");
    form->ComandPanelBottomLeftClick();
    emit radar->RadarSystemMessage->clicked();
    radar->Alert_RadarWarning_limit->setText("50");
    radar->RadarWarning_distance->setText("850 m");
    radar->Second_RadarWarning_distance->setText("2nd in 1400m");
    const QImage shot = form->grab().toImage();
    if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty())
        shot.save(QDir(keep).filePath("poi.png"));
    // The page background is black; the map frame and the info panel carry the main colour.
    const QPoint pageTop(0, TForm1::PageTop);
    EXPECT_EQ(shot.pixelColor(pageTop + QPoint(2, 100)), form->colours().main());
    EXPECT_EQ(shot.pixelColor(pageTop + QPoint(700, 150)), form->colours().main());
    EXPECT_EQ(shot.pixelColor(pageTop + QPoint(100, 100)), QColor(Qt::black)); // empty map
}

// A camera some 300 m ahead of the test drive's course: the test fix raises the alert over
// the main menu, with the camera's limit and distance, and the map shows it.
TEST_F(RadarWindowTest, ACameraAheadRaisesTheAlertOverTheMainMenu)
{
    dir.write("radar.bin", RadarBin::encode({{51.360773, 7.244797, 50}, {48.0, 11.0, 80}}));
    start("[Global_radarwarning]\nEnabled=1\n");
    ASSERT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    ASSERT_TRUE(form->options()->sysMessages().filter("file radar.bin not found").isEmpty());
    const QImage before = radar->seekarte->image();

    emit radar->RadarSystemMessage->clicked();

    EXPECT_EQ(form->navigator().activeScreen(), Screen::Radar);
    EXPECT_TRUE(radar->Alertpanel->isVisible());
    EXPECT_EQ(radar->Alert_RadarWarning_limit->text(), "50");
    EXPECT_TRUE(radar->RadarWarning_distance->text().endsWith(" m"));
    EXPECT_NE(radar->seekarte->image(), before);
    EXPECT_FALSE(form->options()->sysMessages().contains("Error in checkforradar routine"));
}

TEST_F(RadarWindowTest, WithoutACameraFileTheWarningStaysQuiet)
{
    start("[Global_radarwarning]\nEnabled=1\n");
    EXPECT_FALSE(form->options()->sysMessages().filter("file radar.bin not found").isEmpty());
    emit radar->RadarSystemMessage->clicked();
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_FALSE(radar->Alertpanel->isVisible());
}

// The whole POI screen during an alert: map background, camera, alert picture.
// ROVANA_SHOT_DIR=<dir> keeps it as poi-alert.png.
TEST_F(RadarWindowTest, ScreenshotOfAnAlert)
{
    QImage background(631, 278, QImage::Format_RGB32);
    background.fill(QColor(0, 70, 40));
    ASSERT_TRUE(background.save(dir.file("radarmap.png")));
    QImage alert(200, 200, QImage::Format_RGB32);
    alert.fill(QColor(220, 0, 0));
    ASSERT_TRUE(alert.save(dir.file("alert.jpg"), "JPG"));
    dir.write("radar.bin", RadarBin::encode({{51.360773, 7.244797, 50}}));
    start("[Global_radarwarning]\nEnabled=1\n");
    emit radar->RadarSystemMessage->clicked();
    ASSERT_TRUE(radar->Alertpanel->isVisible());
    const QImage shot = form->grab().toImage();
    if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty())
        shot.save(QDir(keep).filePath("poi-alert.png"));
    const QPoint map =
        QPoint(0, TForm1::PageTop) + radar->seekarte->pos() + radar->RadarPanel->pos();
    const QColor picture = shot.pixelColor(map + QPoint(100, 100));
    EXPECT_GT(picture.red(), 180); // the alert picture over the map's left
    EXPECT_LT(picture.green(), 40);
    EXPECT_EQ(shot.pixelColor(map + QPoint(600, 20)), QColor(0, 70, 40)); // the map
}

// The longest texts the read-outs get stay whole: the caption is drawn smaller.
TEST_F(RadarWindowTest, LongReadOutsAreDrawnSmallerNotCut)
{
    start();
    form->ComandPanelBottomLeftClick();
    for (QLabel *l : {static_cast<QLabel *>(radar->Second_RadarWarning_distance),
                      radar->RadarWarning_distance, radar->Alert_RadarWarning_limit}) {
        l->setText(l == radar->Alert_RadarWarning_limit ? "2147483647" : "2nd in 1000000000m");
        const QFont fitted = FittingPanel::fittedFont(l->font(), l->text(), l->width() - 4);
        EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(l->text()), l->width() - 4);
        EXPECT_LT(fitted.pixelSize(), l->font().pixelSize());
        // Drawn: the outermost columns stay background, so nothing is cut off.
        const QColor background(Qt::magenta);
        QImage image(l->size(), QImage::Format_RGB32);
        image.fill(background);
        l->render(&image, {}, {}, QWidget::DrawChildren);
        for (int y = 0; y < image.height(); ++y) {
            EXPECT_EQ(image.pixelColor(0, y), background);
            EXPECT_EQ(image.pixelColor(image.width() - 1, y), background);
        }
    }
    // Short texts keep their size.
    radar->RadarWarning_distance->setText("850 m");
    EXPECT_EQ(FittingPanel::fittedFont(radar->RadarWarning_distance->font(), "850 m",
                                       radar->RadarWarning_distance->width())
                  .pixelSize(),
              radar->RadarWarning_distance->font().pixelSize());
}
