#include "gps/CameraWarning.h"

#include "core/FixPublisher.h"
#include "core/Screen.h"
#include "core/SharedValues.h"
#include "gps/RadarBin.h"
#include "support/RecordingSoundPlayer.h"

#include "CameraTestData.h"
#include "RecordingCameraView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLocale>

using namespace CameraTestData;

namespace {

class CameraWarningTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    CameraWarning &warning()
    {
        if (!m_warning) {
            screens.onReturnAfterAlert(Screen::Video_Play, [this] { events << "show video"; });
            m_warning = std::make_unique<CameraWarning>(CameraWarning::Window{
                screens, sound, shared, view, positions, [this] { return soundPath; },
                [this](bool shown) { indicator = shown; }, [this] { events << "hide video"; },
                [this](const QString &line) {
                    messages << line;
                }});
        }
        return *m_warning;
    }

    void load(const std::vector<CameraRecord> &cameras)
    {
        warning().loadradar(dir.write(QStringLiteral("radar.bin"), RadarBin::encode(cameras)));
    }

    // A fix at Home on the given course, published as the reception does after a burst.
    void fix(double course = 0.0, bool stationary = false)
    {
        warning();
        shared.gps.CurrentFix = shared.gps.PreviousFix = Home;
        shared.gps.ComputedCourse = course;
        shared.gps.Stationary = stationary;
        Fix f;
        f.latitude = 51.359633;
        f.longitude = 7.240867;
        f.course = course;
        f.satellites = sats.toInt();
        f.quality = 1;
        f.valid = true;
        positions.publish(f);
    }

    TempDir dir;
    RecordingScreens screens;
    RecordingSoundPlayer sound;
    SharedValues shared;
    RecordingCameraView view;
    FixPublisher positions;
    QString soundPath = QStringLiteral("/sounds/notify.wav");
    QString sats = QStringLiteral("07");
    bool indicator = false;
    QStringList events;
    QStringList messages;

private:
    std::unique_ptr<CameraWarning> m_warning;
};

} // namespace

TEST_F(CameraWarningTest, StartsWithEmptyWarningLabels)
{
    warning();
    EXPECT_EQ(view.limit, "");
    EXPECT_EQ(view.distance, "");
    EXPECT_FALSE(view.alertShown);
    EXPECT_FALSE(warning().AlertDisappearTimer.isActive());
}

TEST_F(CameraWarningTest, AMissingFileDisablesTheWarningsWithAMessage)
{
    warning().loadradar(dir.file(QStringLiteral("radar.bin")));
    EXPECT_EQ(messages, QStringList{"file radar.bin not found - speed control system disabled"});
    EXPECT_EQ(warning().table().CameraCount(), 0);
    shared.RadarSystemOn = true;
    fix();
    EXPECT_EQ(view.second, "2nd in 1000000000m");
    EXPECT_FALSE(view.alertShown);
}

TEST_F(CameraWarningTest, AFileThatCannotBeReadIsReportedAndLeavesNoCamera)
{
    dir.mkdir(QStringLiteral("radar.bin"));
    warning().loadradar(dir.file(QStringLiteral("radar.bin")));
    EXPECT_EQ(messages,
              (QStringList{"Error in loadradar subroutine", "Radar list created - items=0"}));
    EXPECT_EQ(warning().table().CameraCount(), 0);
}

TEST_F(CameraWarningTest, EveryRecordIsLoadedAndCounted)
{
    load({cameraFrom(Home, 5, 0, 30), cameraFrom(Home, 6, 0, 40), cameraFrom(Home, 0.5, 0, 90)});
    EXPECT_EQ(messages, QStringList{"Radar list created - items=3"});
    shared.RadarSystemOn = true;
    fix(90.0);
    EXPECT_EQ(view.limit, "90"); // the last record of the file
    EXPECT_EQ(view.distance, "500 m");
}

TEST_F(CameraWarningTest, APartialLastRecordIsIgnored)
{
    const QByteArray bytes =
        RadarBin::encode({cameraFrom(Home, 5, 0, 30), cameraFrom(Home, 6, 0, 40)}) +
        QByteArray(17, '\x7F');
    warning().loadradar(dir.write(QStringLiteral("radar.bin"), bytes));
    EXPECT_EQ(messages, (QStringList{"radar.bin: 17 bytes of a partial last record ignored",
                                     "Radar list created - items=2"}));
    EXPECT_EQ(warning().table().CameraCount(), 2);
}

TEST_F(CameraWarningTest, RecordsWithoutAPlaceAreSkippedAndSaidSo)
{
    load({{51, 7, 1}, {91, 7, 2}, {std::nan(""), 7, 3}});
    EXPECT_EQ(messages, (QStringList{"radar.bin: 2 records skipped - no valid position",
                                     "Radar list created - items=1"}));
}

// A table far beyond the old 6300 records: all of it loads and its last camera is found.
TEST_F(CameraWarningTest, AHugeFileLoadsWhole)
{
    std::vector<CameraRecord> cameras;
    cameras.reserve(300000);
    for (int i = 0; i < 299999; ++i)
        cameras.push_back({45.0 + (i % 1000) * 0.01, -5.0 + (i / 1000) * 0.05, 50});
    cameras.push_back(cameraFrom(Home, 0.3, 0, 130));
    load(cameras);
    EXPECT_EQ(messages, QStringList{"Radar list created - items=300000"});
    shared.RadarSystemOn = true;
    fix();
    EXPECT_EQ(view.limit, "130");
    EXPECT_EQ(view.distance, "300 m");
}

TEST_F(CameraWarningTest, AnAlertOnNowPlayingReturnsThereAfterFiveSecondsKeepingThePoiTitle)
{
    load({cameraFrom(Home, 0.9, 30.5, 60)});
    shared.RadarSystemOn = true;
    screens.showScreen(Screen::MP3Album);
    fix(0.0);
    EXPECT_EQ(view.limit, "60");
    EXPECT_EQ(view.distance, "900 m");
    EXPECT_EQ(sound.played(), QStringList{"play /sounds/notify.wav"});
    EXPECT_TRUE(view.alertShown);
    EXPECT_EQ(screens.activeScreen(), Screen::Radar);
    EXPECT_EQ(screens.title(), "POI");
    EXPECT_EQ(shared.AlertReturnPage, Screen::MP3Album);
    EXPECT_EQ(events, QStringList{"hide video"});
    ASSERT_TRUE(warning().AlertDisappearTimer.isActive());
    EXPECT_EQ(warning().AlertDisappearTimer.interval(), 5000);

    // A second alerting fix sounds again and keeps the way back.
    fix(0.0);
    EXPECT_EQ(sound.played().size(), 2);
    EXPECT_EQ(shared.AlertReturnPage, Screen::MP3Album);

    warning().AlertDisappearTimerTimer(); // 5 s on
    EXPECT_FALSE(view.alertShown);
    EXPECT_EQ(screens.activeScreen(), Screen::MP3Album);
    EXPECT_EQ(screens.title(), "POI");
    EXPECT_EQ(view.message, "On");
    EXPECT_TRUE(indicator);
    EXPECT_FALSE(warning().AlertDisappearTimer.isActive());
}

TEST_F(CameraWarningTest, TheTimerEndsTheAlertByItself)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    screens.showScreen(Screen::MP3Directory);
    fix();
    ASSERT_TRUE(view.alertShown);
    warning().AlertDisappearTimer.setInterval(1); // the same handler, sooner
    warning().AlertDisappearTimer.start();
    for (int i = 0; i < 1000 && view.alertShown; ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(view.alertShown);
    EXPECT_EQ(screens.activeScreen(), Screen::MP3Directory);
    EXPECT_EQ(screens.title(), "Select MP3");
}

TEST_F(CameraWarningTest, AnAlertDuringAFilmHidesItAndBringsItBack)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    screens.showScreen(Screen::Video_Play);
    fix();
    EXPECT_EQ(events, QStringList{"hide video"});
    warning().AlertDisappearTimerTimer();
    EXPECT_EQ(screens.activeScreen(), Screen::Video_Play);
    EXPECT_EQ(screens.title(), "Video playing");
    EXPECT_EQ(events, (QStringList{"hide video", "show video"}));
}

TEST_F(CameraWarningTest, TitlesOnTheWayBack)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    const std::pair<int, QString> pages[] = {
        {Screen::MP3Directory, "Select MP3"}, {Screen::MP3Start, "Main"},
        {Screen::Settings, "Options"},        {Screen::Vide_select, "Select Video"},
        {Screen::media_select, "POI"},        {Screen::Log_select, "POI"}};
    for (const auto &[page, title] : pages) {
        screens.showScreen(page);
        fix();
        warning().AlertDisappearTimerTimer();
        EXPECT_EQ(screens.activeScreen(), page);
        EXPECT_EQ(screens.title(), title);
    }
}

TEST_F(CameraWarningTest, AnAlertOnThePoiScreenStaysThere)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    shared.AlertReturnPage = Screen::Radar; // opened from the main menu
    screens.showScreen(Screen::Radar);
    fix();
    warning().AlertDisappearTimerTimer();
    EXPECT_EQ(screens.activeScreen(), Screen::Radar);
    EXPECT_EQ(screens.title(), "POI");
}

TEST_F(CameraWarningTest, NoSoundWithoutAPathAndNoAlertOutsideTheSector)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    soundPath.clear();
    fix();
    EXPECT_TRUE(view.alertShown);
    EXPECT_TRUE(sound.played().isEmpty());
    warning().AlertDisappearTimerTimer();
    fix(180.0); // the camera now lies behind
    EXPECT_FALSE(view.alertShown);
    EXPECT_EQ(view.distance, "500 m");
}

TEST_F(CameraWarningTest, StandingStillOrNoSatellitesClearsTheLabelsAndNeverWarns)
{
    load({cameraFrom(Home, 0.5, 0, 60), cameraFrom(Home, 3, 0, 60)});
    shared.RadarSystemOn = true;
    fix(0.0, true);
    EXPECT_EQ(view.limit, "");
    EXPECT_EQ(view.distance, "");
    EXPECT_FALSE(view.alertShown);
    EXPECT_TRUE(sound.played().isEmpty());
    sats = QStringLiteral("00");
    fix(0.0);
    EXPECT_FALSE(view.satellitesOk);
    EXPECT_FALSE(view.alertShown);
    sats = QStringLiteral("05");
    fix(0.0);
    EXPECT_TRUE(view.satellitesOk);
    EXPECT_EQ(view.second, "2nd in 3000m");
}

TEST_F(CameraWarningTest, SwitchedOffTheMapIsTheBareBackgroundAndNothingIsChecked)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = false;
    fix();
    EXPECT_EQ(view.limit, "");
    EXPECT_FALSE(view.alertShown);
    EXPECT_EQ(view.map, warning().map().background());
}

TEST_F(CameraWarningTest, CommaLocaleTexts)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    load({cameraFrom(Home, 1234.5, 0, 60), cameraFrom(Home, 0.8, 0, 60)});
    shared.RadarSystemOn = true;
    fix();
    EXPECT_EQ(view.distance, "800 m");
    EXPECT_EQ(view.second, "2nd in 1234500m"); // no group separators
}

// The check of a fix comes first, then the map is drawn from its result, once.
TEST_F(CameraWarningTest, EachFixIsCheckedBeforeTheMapIsDrawn)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    view.calls.clear();
    fix();
    EXPECT_EQ(view.calls, (QStringList{"limit", "map"}));
    EXPECT_EQ(view.limit, "60");
    // Drawn with the entries of this check: the camera 0.5 km ahead is a dot.
    EXPECT_EQ(view.map.pixelColor(warning().map().position(warning().check().MapEntries[0], 1.0)),
              QColor(Qt::black));
}

TEST_F(CameraWarningTest, TheKnobsScaleIsDrawnAsGivenAndABadOneAsOneKilometre)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    shared.RadarSystemOn = true;
    warning().setScale(0.0);
    EXPECT_EQ(warning().scaleKm(), 1.0);
    warning().setScale(5.0);
    warning().setWarningDistance(2.0);
    fix();
    EXPECT_EQ(warning().scaleKm(), 5.0);
    EXPECT_EQ(warning().warningDistanceKm(), 2.0);
    EXPECT_TRUE(view.alertShown); // 0.5 km ahead is within the 2 km warning distance
}

TEST_F(CameraWarningTest, AFailingCheckIsReportedAndTheNextFixIsCheckedAgain)
{
    load({cameraFrom(Home, 0.5, 0, 60)});
    messages.clear();
    shared.RadarSystemOn = true;
    view.mapFails = true;
    fix();
    EXPECT_EQ(messages, QStringList{"Error in checkforradar routine"});
    view.mapFails = false;
    fix();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(view.limit, "60");
}
