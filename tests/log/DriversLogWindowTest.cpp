#include "app/StatusClock.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "core/IniFile.h"
#include "core/LongTimeFormat.h"
#include "core/Screen.h"
#include "core/SharedValues.h"
#include "log/DriversLog.h"
#include "log/DriversLogKeys.h"
#include "log/DriversLogScreen.h"
#include "log/FakeMap.h"
#include "log/LogPanel.h"
#include "log/MapScreen.h"
#include "support/KeyInput.h"
#include "support/ManualSystemClock.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/CarMarker.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

// The whole window with a fake map and a clock at Monday 6 December 2004 14:34:05; the
// knob's keys go in as real key presses.
class DriversLogWindowTest : public ::testing::Test {
protected:
    void start(FakeMap::Create create = FakeMap::Create::Succeed, bool withMap = true)
    {
        Services services;
        auto clockPtr =
            std::make_unique<ManualSystemClock>(QDateTime(QDate(2004, 12, 6), QTime(14, 34, 5)));
        clock = clockPtr.get();
        services.clock = std::move(clockPtr);
        if (withMap) {
            auto mapPtr = std::make_unique<FakeMap>(create);
            map = mapPtr.get();
            services.map = std::move(mapPtr);
        }
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->show();
        QObject::connect(&form->navigator(), &Navigator::screenShown,
                         [this](int i) { shown << i; });
    }
    void TearDown() override { LongTimeFormat::setPattern(LongTimeFormat::Seconds); }
    void key(char letter) { KeyInput::press(form.get(), letter); }
    void openDriversLog() { form->ComandPanelTopRightClick(); }
    DriversLogScreen &screen() const { return *form->driversLogScreen(); }
    IniFile saved() const { return IniFile::load(form->configuration().fileName()); }
    bool focused(const PanelButton *entry) const { return screen().focus().has(entry); }

    TempDir dir;
    ManualSystemClock *clock = nullptr;
    FakeMap *map = nullptr;
    std::unique_ptr<TForm1> form;
    QList<int> shown;
};

} // namespace

TEST_F(DriversLogWindowTest, DriversLogVisitsTheMapPageAndComesBackToShowMap)
{
    start();
    key('C'); // "Drivers Log" is highlighted at start
    EXPECT_EQ(shown, (QList<int>{Screen::Log_select, Screen::SetLog, Screen::Log_select}));
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
    EXPECT_EQ(form->navigator().title(), "Drivers log");
    EXPECT_EQ(map->creations, 1);
    EXPECT_TRUE(form->shared().MapAvailable);
    EXPECT_FALSE(screen().DriversLogPanel->isHidden());
    EXPECT_TRUE(focused(screen().Panel88));
    EXPECT_TRUE(form->marker().isVisible());

    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::MP3Start);
    EXPECT_FALSE(form->marker().isVisible());
    openDriversLog();
    EXPECT_EQ(map->creations, 1);
    EXPECT_TRUE(form->marker().isVisible());
}

TEST_F(DriversLogWindowTest, WithoutMapDataBothVisitsSayMapPointNotFound)
{
    start(FakeMap::Create::Succeed, false); // the window's own map, without a map file
    openDriversLog();
    EXPECT_EQ(screen().Panel92->text(), "Microsoft MapPoint not found");
    EXPECT_TRUE(screen().DriversLogPanel->isHidden());
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
    key('Q');
    openDriversLog();
    EXPECT_EQ(screen().Panel92->text(), "Microsoft MapPoint not found");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
    EXPECT_FALSE(form->shared().MapAvailable);
    EXPECT_FALSE(form->marker().isVisible());
    // The knob finds nothing to focus and stays on the page.
    key('R');
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
}

TEST_F(DriversLogWindowTest, MenuIsBoundedAtBothEnds)
{
    start();
    openDriversLog();
    key('L'); // on "Show Map": nothing
    EXPECT_TRUE(focused(screen().Panel88));
    key('R');
    EXPECT_TRUE(focused(screen().Panel91));
    key('R');
    EXPECT_TRUE(focused(screen().Panel89));
    key('R');
    EXPECT_TRUE(focused(screen().Panel90));
    key('R'); // on "Mode": nothing
    EXPECT_TRUE(focused(screen().Panel90));
    EXPECT_FALSE(form->shared().BusinessMode);
    key('L');
    EXPECT_TRUE(focused(screen().Panel89));
}

TEST_F(DriversLogWindowTest, OdometerEditStepsTextAndTripKm)
{
    start();
    openDriversLog();
    ASSERT_EQ(screen().Panel97->text(), "0");
    key('R'); // "Set km"
    key('C');
    EXPECT_TRUE(form->driversLogKeys()->OdometerEdit);
    key('L');
    EXPECT_EQ(screen().Panel97->text(), "-1");
    EXPECT_DOUBLE_EQ(form->shared().TripKm, -1.0);
    key('R');
    key('R');
    EXPECT_EQ(screen().Panel97->text(), "1");
    EXPECT_DOUBLE_EQ(form->shared().TripKm, 1.0);
    key('C');
    EXPECT_FALSE(form->driversLogKeys()->OdometerEdit);
    key('R');
    EXPECT_TRUE(focused(screen().Panel89));
    EXPECT_EQ(screen().Panel97->text(), "1");
}

TEST_F(DriversLogWindowTest, ClockEditStepsTheClock)
{
    start();
    openDriversLog();
    key('R');
    key('R'); // "Set Time"
    key('C');
    EXPECT_TRUE(form->driversLogKeys()->ClockEdit);
    clock->set(QDateTime(QDate(2004, 12, 6), QTime(23, 59, 12)));
    key('R');
    EXPECT_EQ(clock->now().time(), QTime(23, 59, 12));
    EXPECT_EQ(screen().Panel95->text(), "23:59");
    clock->set(QDateTime(QDate(2004, 12, 6), QTime(10, 0, 12)));
    key('L');
    EXPECT_EQ(clock->now().time(), QTime(9, 59, 12));
    EXPECT_EQ(screen().Panel95->text(), "09:59");
    EXPECT_EQ(LongTimeFormat::pattern(), "hh:mm");
    // The next clock tick brings the seconds back.
    form->statusClock()->ClocktimerTimer();
    EXPECT_EQ(LongTimeFormat::pattern(), "hh:mm:ss");
    EXPECT_TRUE(focused(screen().Panel89));
}

TEST_F(DriversLogWindowTest, ModeIsToggledAndSaved)
{
    start();
    openDriversLog();
    for (int i = 0; i < 3; ++i)
        key('R');
    key('C');
    EXPECT_TRUE(form->shared().BusinessMode);
    EXPECT_EQ(screen().Panel94->text(), "Mode is BUSINESS");
    EXPECT_FALSE(form->statusLine()->LogIndicator->isHidden());
    EXPECT_TRUE(saved().readBool("Global_log", "Enabled", false));
    key('C');
    EXPECT_FALSE(form->shared().BusinessMode);
    EXPECT_TRUE(form->statusLine()->LogIndicator->isHidden());
    EXPECT_FALSE(saved().readBool("Global_log", "Enabled", true));
}

TEST_F(DriversLogWindowTest, ShowMapAndTheMapKeys)
{
    start();
    openDriversLog();
    key('C');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::SetLog);
    EXPECT_EQ(form->navigator().title(), "Drivers log");
    MapScreen &m = *form->mapScreen();
    key('Z');
    EXPECT_EQ(m.ZoomFactor, 1.0);
    for (int i = 0; i < 3; ++i)
        key('T');
    EXPECT_EQ(m.ZoomFactor, 8.0);
    key('C');
    key('C');
    EXPECT_TRUE(m.PanAxisNorthSouth);
    EXPECT_FALSE(m.ns1->isHidden());
    map->calls.clear();
    key('L');
    key('R');
    EXPECT_EQ(map->calls, (QStringList{"pan 8 1", "pan 2 1"}));
    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Log_select);
    EXPECT_TRUE(focused(screen().Panel88));
    EXPECT_TRUE(form->marker().isVisible());
}

TEST_F(DriversLogWindowTest, SettingsFeedTheScreen)
{
    dir.write("Rovana.ini", "[Driverslog]\nlast entry=Friday,12/3/04,OLD,\n"
                            "[LastRecorded]\nkm=88893\n[Global_log]\nEnabled=1\n");
    start();
    EXPECT_EQ(form->driversLog(), QStringList{"Friday,12/3/04,OLD,"});
    EXPECT_EQ(screen().Panel97->text(), "88893");
    EXPECT_EQ(screen().Panel94->text(), "Mode is PRIVATE");
    EXPECT_FALSE(form->shared().BusinessMode);
    EXPECT_TRUE(form->logbook()->logTimer().isActive());
    EXPECT_EQ(form->logbook()->logTimer().interval(), 2000);
}

TEST_F(DriversLogWindowTest, EntriesOfTheRunAreCarriedToTheNextStart)
{
    start();
    openDriversLog();
    form->logbook()->Panel90Click();
    map->setPlace(51.5, 7.25, "Markt, Essen");
    form->shared().gps.DecimalLatitude = 51.5;
    form->shared().gps.DecimalLongitude = 7.25;
    form->logbook()->LogTimerTimer();
    ASSERT_EQ(form->driversLog().size(), 1);
    const QString line = form->driversLog().last();
    EXPECT_TRUE(line.endsWith("MARKT, ESSEN,"));
    form->configuration().SaveSettings();
    EXPECT_EQ(saved().readString("Driverslog", "last entry", ""), line);
    EXPECT_EQ(screen().Panel92->text(), "Markt, Essen");
}

TEST_F(DriversLogWindowTest, ClockTickWritesTheTimeField)
{
    start();
    form->statusClock()->ClocktimerTimer();
    EXPECT_EQ(screen().Panel95->text(), form->statusLine()->Clock->text());
}

TEST_F(DriversLogWindowTest, ClicksOnThePanelFeedTheGpsAndWriteAnEntry)
{
    start();
    openDriversLog();
    const QPoint free(20, 20);
    QTest::mouseClick(screen().DriversLogPanel, Qt::LeftButton, {}, free);
    EXPECT_NE(form->shared().gps.DecimalLatitude, 0.0);
    EXPECT_NE(form->shared().gps.DecimalLongitude, 0.0);
    EXPECT_TRUE(form->driversLog().isEmpty());
    QTest::mouseClick(screen().DriversLogPanel, Qt::LeftButton, {}, free);
    QTest::mouseDClick(screen().DriversLogPanel, Qt::LeftButton, {}, free);
    EXPECT_EQ(form->driversLog().size(), 1);
    EXPECT_TRUE(QFile::exists(dir.path() + "driverslog/12-2004.LOG"));
}
