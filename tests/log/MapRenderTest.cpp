#include "core/SharedValues.h"
#include "log/LabelSprites.h"
#include "log/MapPainter.h"
#include "log/MapPalette.h"
#include "log/MapScreen.h"
#include "log/MapStyle.h"
#include "log/MapView.h"
#include "log/OsmMap.h"
#include "support/SyntheticTown.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <optional>

using namespace MapFiles;

namespace {

// The made-up town with the main roads crossing at 48° N 11° E; streets every 150 m.
SyntheticTown::Plan town()
{
    SyntheticTown::Plan plan;
    plan.latitude = Lat;
    plan.longitude = Lon;
    plan.sizeMetres = 1800.0;
    plan.spacingMetres = 150.0;
    plan.pointsPerBlock = 3;
    return plan;
}

// The map page of the drivers log: 792 x 369 with the map filling it and the ring marker
// of the car at its middle.
struct MapPage {
    TempDir dir;
    QWidget page;
    OsmMap map{[this] {
        return dir.file("map.osm.pbf");
    }};

    MapPage()
    {
        page.resize(792, 369);
        OsmExtract osm;
        SyntheticTown::addTo(osm, town());
        EXPECT_TRUE(osm.write(dir.file("map.osm.pbf")));
        std::optional<bool> result;
        map.create(&page, [&](bool ok) { result = ok; });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }));
        EXPECT_TRUE(result.value_or(false));
    }

    QImage render(double latitude, double longitude, double altitude)
    {
        EXPECT_TRUE(map.centre(latitude, longitude, altitude));
        return map.view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

void addCarMarker(QWidget &page)
{
    auto *marker = new QLabel(&page);
    marker->setGeometry(393, 167, 17, 23);
    QPixmap ring(17, 23);
    ring.fill(Qt::transparent);
    QPainter p(&ring);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0xC0, 0xFF), 3));
    p.drawEllipse(QRectF(2.5, 5.5, 12, 12));
    marker->setPixmap(ring);
}

bool near(QRgb actual, const QColor &expected)
{
    return qAbs(qRed(actual) - expected.red()) < 24 &&
           qAbs(qGreen(actual) - expected.green()) < 24 &&
           qAbs(qBlue(actual) - expected.blue()) < 24;
}

// The share of the points along a line from a to b that have the colour: names written
// over a road hide a part of it.
double share(const QImage &image, QPoint a, QPoint b, const QColor &colour)
{
    int hits = 0;
    constexpr int Steps = 64;
    for (int i = 0; i <= Steps; ++i) {
        const QPoint p = a + (b - a) * i / Steps;
        hits += near(image.pixel(p), colour) ? 1 : 0;
    }
    return double(hits) / (Steps + 1);
}

void keep(const QImage &image, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("ROVANA_SHOT_DIR"); !dir.isEmpty())
        image.save(QDir(dir).filePath(name));
}

} // namespace

TEST(MapRender, StreetsLieWhereTheyAre)
{
    MapPage f;
    const QImage image = f.render(Lat, Lon, 1.0);
    keep(image, "map-streets.png");
    ASSERT_EQ(image.size(), QSize(792, 369));
    const QColor primary = MapPalette::day().road(RoadClass::Primary);
    const QColor minor = MapPalette::day().road(RoadClass::Minor);
    // The main east-west road through the middle; at 0.6 m a pixel the next streets are
    // 250 pixels away on each side, running north-south.
    EXPECT_GT(share(image, {0, 184}, {791, 184}, primary), 0.6);
    EXPECT_GT(share(image, {146, 0}, {146, 368}, minor), 0.6);
    EXPECT_GT(share(image, {646, 0}, {646, 368}, minor), 0.6);
    // The roads are 12 and 8 pixels wide; beside them only the crossing roads (and the
    // light edge of the name written along the street).
    EXPECT_LT(share(image, {0, 184 - 8}, {791, 184 - 8}, primary), 0.05);
    EXPECT_LT(share(image, {146 + 6, 0}, {146 + 6, 368}, minor), 0.1);
    // Between the streets only the black ground.
    for (const QPoint p : {QPoint(300, 80), QPoint(500, 300), QPoint(20, 20), QPoint(770, 350)})
        EXPECT_EQ(image.pixel(p), MapPalette::day().land.rgb()) << p.x() << "," << p.y();
}

TEST(MapRender, ZoomingOutShowsTheTownAndItsMotorway)
{
    MapPage f;
    // 9.6 m a pixel: the town's 1.8 km fit 188 pixels; side streets are left out, the
    // tertiary streets every 600 m stay, the motorway runs 960 m south of the middle.
    const QImage image = f.render(Lat, Lon, 16.0);
    keep(image, "map-town.png");
    EXPECT_GT(share(image, {310, 284}, {480, 284}, MapPalette::day().road(RoadClass::Motorway)),
              0.6);
    EXPECT_GT(share(image, {427, 100}, {427, 270}, MapPalette::day().road(RoadClass::Tertiary)),
              0.6);
    const QRgb land = MapPalette::day().land.rgb();
    EXPECT_EQ(image.pixel(396 + 16, 184 + 40), land); // a side street's place
    EXPECT_EQ(image.pixel(100, 100), land);           // beyond the town
}

TEST(MapRender, PanningMovesTheDrawing)
{
    MapPage f;
    ASSERT_TRUE(f.map.centre(Lat, Lon, 1.0));
    ASSERT_TRUE(f.map.pan(8, 1.0)); // 110.7 m north: the main road sinks to the lower edge
    const QImage image = f.map.view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(share(image, {0, 366}, {791, 366}, MapPalette::day().road(RoadClass::Primary)), 0.6);
    EXPECT_LT(share(image, {0, 184}, {791, 184}, MapPalette::day().road(RoadClass::Primary)), 0.05);
}

TEST(MapRender, NamesAreWrittenWhereTheyFit)
{
    MapPage f;
    const QImage image = f.render(Lat, Lon, 2.0);
    keep(image, "map-names.png");
    // Name text is dark on the light ground: count its pixels.
    int text = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            text += near(image.pixel(x, y), MapPalette::day().roadNames) ? 1 : 0;
    EXPECT_GT(text, 300);
}

TEST(MapRender, NamesAreDrawnOnceAndKept)
{
    MapPage f;
    const auto data = f.map.mapView()->data();
    const MapViewport view(Lat, Lon, 2.0, QSize(792, 369));
    QImage first(792, 369, QImage::Format_RGB32), second = first;
    LabelSprites sprites;
    {
        QPainter painter(&first);
        MapPainter(*data, view, sprites).paint(painter);
    }
    const int names = sprites.count();
    EXPECT_GT(names, 5);
    {
        QPainter painter(&second);
        MapPainter(*data, view, sprites).paint(painter);
    }
    EXPECT_EQ(sprites.count(), names);
    EXPECT_EQ(first, second);
}

TEST(MapRender, AStreetOfManyWaysIsOneLine)
{
    MapPage f;
    const MapViewport view(Lat, Lon, 16.0, QSize(792, 369));
    QImage image(792, 369, QImage::Format_RGB32);
    LabelSprites sprites;
    QPainter painter(&image);
    MapPainter map(*f.map.mapView()->data(), view, sprites);
    map.paint(painter);
    // 13 streets each way of three or four ways each (side streets left out at this
    // scale), the motorway and the railway: one line per street.
    EXPECT_GT(map.drawnPieces(), map.drawnLines());
    EXPECT_EQ(map.drawnLines(), 2 * 4 + 2 + 2 + 1 + 1); // tertiary to motorway, railway
}

TEST(MapRender, MapPageWithTheCarMarker)
{
    MapPage f;
    addCarMarker(f.page);
    ASSERT_TRUE(f.map.centre(SyntheticTown::crossing(town(), 6, 7).latitude,
                             SyntheticTown::crossing(town(), 6, 7).longitude, 2.0));
    const QImage shot = f.page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    keep(shot, "map-page.png");
    // The marker's ring on the crossing of the main road and a side street.
    EXPECT_TRUE(near(shot.pixel(393 + 8, 167 + 5 + 1), QColor(0x40, 0xC0, 0xFF)));
    EXPECT_GT(share(shot, {0, 184}, {791, 184}, MapPalette::day().road(RoadClass::Primary)), 0.5);
    EXPECT_GT(share(shot, {396, 0}, {396, 368}, MapPalette::day().road(RoadClass::Minor)), 0.5);
}

TEST(MapRender, TheLakeIsWaterAndTheParkGreenAroundItsPond)
{
    MapPage f;
    const double half = SyntheticTown::halfSide(town());
    // The lake beyond the town's east edge, 360 by 350 m: at 2.4 m a pixel it fills the
    // middle of the view.
    const auto lake = SyntheticTown::offset(town(), -25.0, half + 240.0);
    QImage image = f.render(lake.latitude, lake.longitude, 4.0);
    keep(image, "map-lake.png");
    const MapPalette day = MapPalette::day();
    EXPECT_EQ(image.pixel(396, 184), day.area(AreaKind::Water).rgb());
    EXPECT_EQ(image.pixel(396 + 60, 184 - 60), day.area(AreaKind::Water).rgb());
    EXPECT_EQ(image.pixel(396 + 120, 184), day.land.rgb()); // 288 m east: beyond its shore
    // The park's pond is its hole, drawn as water; the park around it is green.
    const double middle = -half + 1.5 * town().spacingMetres;
    const auto pond = SyntheticTown::offset(town(), middle, middle);
    image = f.render(pond.latitude, pond.longitude, 1.0);
    keep(image, "map-park.png");
    EXPECT_EQ(image.pixel(396, 184), day.area(AreaKind::Water).rgb());
    EXPECT_EQ(image.pixel(396 + 85, 184), day.area(AreaKind::Green).rgb()); // 51 m east
}

TEST(MapRender, TheNightPaletteDarkensGroundAndWater)
{
    MapPage f;
    const MapPalette night = MapPalette::night();
    f.map.setPalette(night);
    const double half = SyntheticTown::halfSide(town());
    const auto lake = SyntheticTown::offset(town(), -25.0, half + 240.0);
    const QImage image = f.render(lake.latitude, lake.longitude, 4.0);
    keep(image, "map-night.png");
    EXPECT_EQ(image.pixel(396, 184), night.area(AreaKind::Water).rgb());
    EXPECT_EQ(image.pixel(396 + 120, 184), night.land.rgb());
    EXPECT_LT(qGray(night.land.rgb()), 40);
    EXPECT_LT(qGray(night.area(AreaKind::Water).rgb()),
              qGray(MapPalette::day().area(AreaKind::Water).rgb()));
}

// The map page as the drivers log shows it, with the bar that names the car's street.
TEST(MapRender, TheStreetBarNamesTheCarsStreetAsTheLogbookDoes)
{
    TempDir dir;
    OsmExtract osm;
    SyntheticTown::addTo(osm, town());
    ASSERT_TRUE(osm.write(dir.file("map.osm.pbf")));
    OsmMap map([&] { return dir.file("map.osm.pbf"); });
    SharedValues shared;
    std::optional<bool> created;
    MapScreen screen({map, shared, [&](bool ok) { created = ok; }, {}});
    screen.resize(800, 380);
    screen.CreateMap();
    ASSERT_TRUE(waitUntil([&] { return created.has_value(); }));
    ASSERT_TRUE(*created);
    EXPECT_TRUE(screen.StreetBar->isHidden());

    // On Linden Street (row 7), going east.
    const auto car = SyntheticTown::crossing(town(), 7, 3);
    shared.gps.ComputedCourse = 90.0;
    const QString place =
        screen.CentreOnCar(car.latitude + 3.0 / MetresPerLat, car.longitude + 40.0 / MetresPerLon);
    EXPECT_EQ(place, SyntheticTown::rowName(7) + ", " + town().name);
    EXPECT_EQ(screen.PlaceAtPosition(car.latitude + 3.0 / MetresPerLat,
                                     car.longitude + 40.0 / MetresPerLon),
              place);
    EXPECT_FALSE(screen.StreetBar->isHidden());
    EXPECT_EQ(screen.StreetBar->text(), place);
    const QImage shot = screen.grab().toImage().convertToFormat(QImage::Format_RGB32);
    keep(shot, "map-street-bar.png");
    const QRect bar = screen.StreetBar->geometry();
    EXPECT_EQ(bar.bottom(), screen.OleContainer->geometry().bottom());
    EXPECT_EQ(shot.pixel(bar.left() + 4, bar.center().y()), MapPalette::day().streetBar.rgb());
    int text = 0;
    for (int x = bar.left(); x <= bar.right(); ++x)
        text += near(shot.pixel(x, bar.center().y()), MapPalette::day().streetBarText) ? 1 : 0;
    EXPECT_GT(text, 10);

    // Where no street is near, the bar goes.
    const auto far = SyntheticTown::offset(town(), 0.0, 5000.0);
    EXPECT_EQ(screen.CentreOnCar(far.latitude, far.longitude), "n/a");
    EXPECT_TRUE(screen.StreetBar->isHidden());
}
