#include "app/TForm1.h"
#include "core/Screen.h"
#include "log/DriversLog.h"
#include "log/DriversLogScreen.h"
#include "log/FakeMap.h"
#include "log/LogLine.h"
#include "log/MapScreen.h"
#include "support/ManualSystemClock.h"
#include "support/StandInServices.h"
#include "support/SyntheticTown.h"
#include "support/TempDir.h"
#include "widgets/CarMarker.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>

namespace {

// Pages 8 and 9 drawn offscreen; with ROVANA_SHOT_DIR set they are kept there as
// drivers-log.png and map.png.
class DriversLogScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Services services;
        services.clock =
            std::make_unique<ManualSystemClock>(QDateTime(QDate(2004, 12, 6), QTime(14, 34, 5)));
        auto fake = std::make_unique<FakeMap>();
        map = fake.get();
        services.map = std::move(fake);
        dir.write("Rovana.ini", "[Driverslog]\nlast entry=Friday,12/3/04,08:12:40,88790,"
                                "BAHNHOFSTRASSE 1, 45127 ESSEN,\n[LastRecorded]\nkm=88893\n");
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->show();
    }
    QImage shot(const QString &name)
    {
        QApplication::processEvents();
        const QImage image = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty()) {
            QDir().mkpath(keep);
            image.save(QDir(keep).filePath(name));
        }
        return image;
    }
    void visit(double lat, const QString &place)
    {
        map->setPlace(lat, 7.01, place);
        form->shared().gps.DecimalLatitude = lat;
        form->shared().gps.DecimalLongitude = 7.01;
        form->logbook()->LogTimerTimer();
    }

    TempDir dir;
    FakeMap *map = nullptr;
    std::unique_ptr<TForm1> form;
};

QColor main() { return QColor(0xCD, 0xB8, 0x99); }

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

} // namespace

TEST_F(DriversLogScreenshotTest, DriversLogPage)
{
    form->ComandPanelTopRightClick();
    form->logbook()->Panel90Click();
    visit(51.45, QStringLiteral("Kettwiger Straße 2, 45127 Essen"));
    visit(51.46, QStringLiteral("Rüttenscheider Straße 80, 45130 Essen"));
    const QImage image = shot("drivers-log.png");
    const int pageTop = TForm1::PageTop;
    // The status bar in the main colour, the mode value in the main colour, the focused
    // "Show Map" with its white arrow.
    EXPECT_TRUE(near(image.pixelColor(5, pageTop + 370), main()));
    const QRect mode = form->driversLogScreen()->Panel94->geometry();
    EXPECT_TRUE(near(image.pixelColor(mode.left() + 3, pageTop + mode.top() + 3), main()));
    EXPECT_TRUE(form->marker().isVisible());
    EXPECT_EQ(form->driversLog().size(), 3);
}

TEST_F(DriversLogScreenshotTest, MapPage)
{
    form->ComandPanelTopRightClick();
    form->mapScreen()->CentreOnCar(51.45, 7.01);
    form->navigator().showScreen(Screen::SetLog);
    const QImage image = shot("map.png");
    // The map fills the page; the car sits at its middle.
    EXPECT_TRUE(near(image.pixelColor(200, TForm1::PageTop + 60), QColor(0xEE, 0xE8, 0xD5)));
    const QRect car = form->mapScreen()->CarPosition->geometry();
    EXPECT_EQ(image.pixelColor(car.center().x(), TForm1::PageTop + car.top() + 8),
              QColor(Qt::white));
}

// The window's own map over a made-up town: the car at a crossing of the town's streets.
TEST(DriversLogRealMap, PagesOverAMadeUpTown)
{
    TempDir dir;
    SyntheticTown::Plan plan;
    plan.latitude = MapFiles::Lat;
    plan.longitude = MapFiles::Lon;
    plan.sizeMetres = 1800.0;
    OsmExtract osm;
    SyntheticTown::addTo(osm, plan);
    ASSERT_TRUE(osm.write(dir.file("map.osm.pbf")));
    Services services;
    services.clock =
        std::make_unique<ManualSystemClock>(QDateTime(QDate(2004, 12, 6), QTime(14, 34, 5)));
    TForm1 form(dir.path(), standInServices(std::move(services)));
    form.show();
    form.ComandPanelTopRightClick();
    ASSERT_TRUE(MapFiles::waitUntil([&] { return form.shared().MapAvailable; }));
    EXPECT_TRUE(form.driversLogScreen()->focus().has(form.driversLogScreen()->Panel88));

    form.logbook()->Panel90Click();
    const OsmExtract::LatLon car = SyntheticTown::crossing(plan, 6, 5);
    form.shared().gps.DecimalLatitude = car.latitude;
    form.shared().gps.DecimalLongitude = car.longitude;
    form.logbook()->LogTimerTimer();
    const QString place = form.driversLogScreen()->Panel92->text();
    EXPECT_TRUE(place.endsWith(", " + plan.name)) << place.toStdString();
    ASSERT_EQ(form.driversLog().size(), 1);
    EXPECT_TRUE(form.driversLog()[0].endsWith(LogLine::capitals(place) + ","));

    auto keep = [&](const QString &name) {
        QApplication::processEvents();
        const QImage image = form.grab().toImage();
        if (const QString dirName = qEnvironmentVariable("ROVANA_SHOT_DIR"); !dirName.isEmpty())
            image.save(QDir(dirName).filePath(name));
        return image;
    };
    keep("drivers-log-town.png");
    form.logbook()->Panel88Click();
    form.mapScreen()->ZoomOut();
    const QImage map = keep("map-town.png");
    EXPECT_FALSE(form.mapScreen()->CarPosition->isHidden());
    const QRect car_ = form.mapScreen()->CarPosition->geometry();
    EXPECT_EQ(map.pixelColor(car_.center().x(), TForm1::PageTop + car_.top() + 8),
              QColor(Qt::white));
}
