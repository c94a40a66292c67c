#include "log/LabelSprites.h"
#include "log/MapPainter.h"
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
    const QColor primary = MapStyle::roadColour(RoadClass::Primary);
    const QColor minor = MapStyle::roadColour(RoadClass::Minor);
    // The main east-west road through the middle; at 0.6 m a pixel the next streets are
    // 250 pixels away on each side, running north-south.
    EXPECT_GT(share(image, {0, 184}, {791, 184}, primary), 0.6);
    EXPECT_GT(share(image, {146, 0}, {146, 368}, minor), 0.6);
    EXPECT_GT(share(image, {646, 0}, {646, 368}, minor), 0.6);
    // The roads are 12 and 8 pixels wide; beside them only the crossing roads.
    EXPECT_LT(share(image, {0, 184 - 8}, {791, 184 - 8}, primary), 0.05);
    EXPECT_LT(share(image, {146 + 6, 0}, {146 + 6, 368}, minor), 0.05);
    // Between the streets only the black ground.
    for (const QPoint p : {QPoint(300, 80), QPoint(500, 300), QPoint(20, 20), QPoint(770, 350)})
        EXPECT_EQ(image.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
}

TEST(MapRender, ZoomingOutShowsTheTownAndItsMotorway)
{
    MapPage f;
    // 9.6 m a pixel: the town's 1.8 km fit 188 pixels; side streets are left out, the
    // tertiary streets every 600 m stay, the motorway runs 960 m south of the middle.
    const QImage image = f.render(Lat, Lon, 16.0);
    keep(image, "map-town.png");
    EXPECT_GT(share(image, {310, 284}, {480, 284}, MapStyle::roadColour(RoadClass::Motorway)), 0.6);
    EXPECT_GT(share(image, {427, 100}, {427, 270}, MapStyle::roadColour(RoadClass::Tertiary)), 0.6);
    EXPECT_EQ(image.pixel(396 + 16, 184 + 40), qRgb(0, 0, 0)); // a side street's place
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 0));           // beyond the town
}

TEST(MapRender, PanningMovesTheDrawing)
{
    MapPage f;
    ASSERT_TRUE(f.map.centre(Lat, Lon, 1.0));
    ASSERT_TRUE(f.map.pan(8, 1.0)); // 110.7 m north: the main road sinks to the lower edge
    const QImage image = f.map.view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(share(image, {0, 366}, {791, 366}, MapStyle::roadColour(RoadClass::Primary)), 0.6);
    EXPECT_LT(share(image, {0, 184}, {791, 184}, MapStyle::roadColour(RoadClass::Primary)), 0.05);
}

TEST(MapRender, NamesAreWrittenWhereTheyFit)
{
    MapPage f;
    const QImage image = f.render(Lat, Lon, 2.0);
    keep(image, "map-names.png");
    // Name text is light: count light pixels that aren't any road's colour.
    int text = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235)
                ++text;
        }
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
    // scale), and the motorway: one line per street.
    EXPECT_GT(map.drawnPieces(), map.drawnLines());
    EXPECT_EQ(map.drawnLines(), 2 * 4 + 2 + 2 + 1); // tertiary, secondary, primary, motorway
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
    EXPECT_GT(share(shot, {0, 184}, {791, 184}, MapStyle::roadColour(RoadClass::Primary)), 0.5);
    EXPECT_GT(share(shot, {396, 0}, {396, 368}, MapStyle::roadColour(RoadClass::Minor)), 0.5);
}
