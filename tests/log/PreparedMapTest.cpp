// The prepared map: imported from extracts the tests write, it must give the look-ups and
// the drawing of the extract itself, and refuse a file that isn't whole.
#include "log/PreparedMap.h"
#include "log/LabelSprites.h"
#include "log/MapData.h"
#include "log/MapFile.h"
#include "log/MapImporter.h"
#include "log/MapLoader.h"
#include "log/MapPainter.h"
#include "log/MapReader.h"
#include "log/MapView.h"
#include "log/OsmMap.h"
#include "log/PlaceFinder.h"
#include "log/TileCutter.h"
#include "support/SyntheticTown.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstring>
#include <set>
#include <tuple>

using namespace MapFiles;

namespace {

namespace F = MapFileFormat;

// The town of the map tests straddles the corner of four tiles of the exact band (48° N
// 11° E lies on the grid of 0.02°), so its streets are cut and must be joined again.
SyntheticTown::Plan townPlan()
{
    SyntheticTown::Plan plan;
    plan.latitude = Lat;
    plan.longitude = Lon;
    plan.sizeMetres = 3000.0;
    plan.pointsPerBlock = 2;
    return plan;
}

struct Imported {
    TempDir dir;
    QString extract;
    QString prepared;
    std::shared_ptr<const MapData> whole;
    std::unique_ptr<PreparedMap> map;

    explicit Imported(const QString &extractName = QStringLiteral("town.osm"))
    {
        OsmExtract osm;
        SyntheticTown::addTo(osm, townPlan());
        // A coastline past the town's north edge: the sea comes from the import too.
        osm.way({osm.node(Lat + 0.02, Lon + 0.03), osm.node(Lat + 0.02, Lon - 0.03)},
                {{"natural", "coastline"}});
        extract = dir.file(extractName);
        prepared = dir.file("town.rovanamap");
        EXPECT_TRUE(osm.write(extract));
        const std::atomic<bool> never{false};
        const MapImporter::Result result = MapImporter::run(extract, prepared, never);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_GT(result.tiles, 4u);
        whole = MapReader::readFile(extract, never).data;
        EXPECT_TRUE(whole);
        MapFile::Opened opened = MapFile::open(prepared);
        EXPECT_TRUE(opened.file) << opened.error.toStdString();
        if (opened.file)
            map = std::make_unique<PreparedMap>(std::move(opened.file));
    }
};

QImage render(const MapData &data, const MapViewport &view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    LabelSprites sprites;
    QPainter painter(&image);
    MapPainter(data, view, sprites).paint(painter);
    return image;
}

double differingShare(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                    std::abs(p.blue() - q.blue()) >
                48)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

std::set<QString> roadNames(const MapData &data)
{
    std::set<QString> names;
    for (const MapData::Road &road : data.roads())
        names.insert(data.name(road.name));
    return names;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MapFile::Opened openBytes(const QByteArray &bytes)
{
    return MapFile::fromBytes(
        {reinterpret_cast<const std::byte *>(bytes.constData()), std::size_t(bytes.size())},
        QStringLiteral("map.rovanamap"));
}

template <typename T> void poke(QByteArray &bytes, std::size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

} // namespace

TEST(PreparedMap, LooksUpTheSameAsTheExtractEverywhere)
{
    for (const QString &name : {QStringLiteral("town.osm"), QStringLiteral("town.osm.pbf")}) {
        Imported town(name);
        ASSERT_TRUE(town.map);
        const PlaceFinder whole(*town.whole);
        int named = 0;
        // A point every 37 m over the town and beyond its edges: on streets, between them,
        // in both boundaries and in none, next to the tiles' edges.
        for (double north = -1900; north <= 1900; north += 37.0)
            for (double east = -1900; east <= 2300; east += 37.0) {
                const auto p = at(north, east);
                const QString expected = whole.placeAt(p.latitude, p.longitude, 90.0);
                const auto data = town.map->lookUp(p.latitude, p.longitude);
                ASSERT_EQ(PlaceFinder(*data).placeAt(p.latitude, p.longitude, 90.0), expected)
                    << name.toStdString() << " at " << north << " " << east;
                named += expected != PlaceFinder::NotAvailable;
            }
        EXPECT_GT(named, 1000);
    }
}

TEST(PreparedMap, RoadsCutByTilesComeBackWhole)
{
    Imported town;
    ASSERT_TRUE(town.map);
    // All of the town's tiles of the exact band: every way as the extract has it, once.
    const auto drawn = town.map->drawing(town.whole->bounds(), 1.0);
    using Way = std::tuple<QString, int, std::vector<std::int32_t>>;
    auto waysOf = [](const MapData &data) {
        std::multiset<Way> ways;
        for (const MapData::Road &road : data.roads()) {
            std::vector<std::int32_t> coordinates;
            for (const GeoPoint &p : data.pointsOf(road)) {
                coordinates.push_back(p.lat);
                coordinates.push_back(p.lon);
            }
            ways.insert({data.name(road.name), int(road.roadClass), coordinates});
        }
        return ways;
    };
    EXPECT_EQ(waysOf(*drawn), waysOf(*town.whole));
    EXPECT_EQ(roadNames(*drawn), roadNames(*town.whole));
}

TEST(PreparedMap, DrawsTheViewAsTheExtractDoes)
{
    Imported town;
    ASSERT_TRUE(town.map);
    for (const double altitude : {1.0, 4.0}) {
        const MapViewport view(Lat + 0.001, Lon - 0.002, altitude, QSize(800, 480));
        const auto drawn = town.map->drawing(view.visibleBox(32), view.metresPerPixel());
        const QImage fromExtract = render(*town.whole, view);
        const QImage fromPrepared = render(*drawn, view);
        fromPrepared.save(town.dir.file("prepared.png"));
        EXPECT_LT(differingShare(fromExtract, fromPrepared), 0.01) << altitude;
    }
}

TEST(PreparedMap, AWideViewReadsASimplerBand)
{
    Imported town;
    ASSERT_TRUE(town.map);
    const MapViewport close(Lat, Lon, 1.0, QSize(800, 480));
    const MapViewport wide(Lat, Lon, 200.0, QSize(800, 480)); // 120 m a pixel
    EXPECT_EQ(town.map->drawingBand(close.metresPerPixel()), 0u);
    EXPECT_EQ(town.map->drawingBand(wide.metresPerPixel()), 3u);
    const auto data = town.map->drawing(wide.visibleBox(32), wide.metresPerPixel());
    for (const MapData::Road &road : data->roads())
        EXPECT_TRUE(road.roadClass != RoadClass::Minor && road.roadClass != RoadClass::Service);
    EXPECT_FALSE(data->roads().empty());
    EXPECT_LT(data->points().size(), town.whole->points().size() / 4);
    // What the band keeps is drawn much as the full data draws it.
    EXPECT_LT(differingShare(render(*town.whole, wide), render(*data, wide)), 0.02);
}

TEST(PreparedMap, KeepsItsTilesWithinTheBudget)
{
    Imported town;
    ASSERT_TRUE(town.map);
    MapFile::Opened opened = MapFile::open(town.prepared);
    PreparedMap small(std::move(opened.file), 1);
    for (double east = -1500; east <= 1500; east += 500) {
        const auto p = at(0, east);
        (void)small.lookUp(p.latitude, p.longitude);
    }
    EXPECT_EQ(small.cache().count(), 1u);
}

TEST(TileCutter, SimplifiesWithinTheToleranceAndKeepsTheEnds)
{
    std::vector<GeoPoint> line;
    for (int i = 0; i <= 100; ++i) // 1 km east with a 1 m wiggle
        line.push_back(
            GeoPoint::fromDegrees(Lat + (i % 2) / MetresPerLat, Lon + i * 10 / MetresPerLon));
    EXPECT_EQ(TileCutter::simplify(line, 2.0).size(), 2u);
    EXPECT_EQ(TileCutter::simplify(line, 0.5).size(), line.size());
    EXPECT_EQ(TileCutter::simplify(line, 0.0).size(), line.size());
}

TEST(TileCutter, ClippedPiecesCoverTheRingOnceWithTheirHoles)
{
    // A square of 0.05° over a grid of 0.02° (3 x 3 tiles), with a hole that is exactly the
    // middle tile.
    auto square = [](double s, double w, double n, double e) {
        return std::vector<GeoPoint>{GeoPoint::fromDegrees(s, w), GeoPoint::fromDegrees(s, e),
                                     GeoPoint::fromDegrees(n, e), GeoPoint::fromDegrees(n, w),
                                     GeoPoint::fromDegrees(s, w)};
    };
    const auto pieces = TileCutter::clipRings(
        {square(48.005, 11.005, 48.055, 11.055), square(48.02, 11.02, 48.04, 11.04)}, 200'000);
    EXPECT_EQ(pieces.size(), 9u);
    MapData data;
    for (const auto &piece : pieces)
        data.addArea(AreaKind::Green, MapData::NoName, 0, piece.rings);
    data.buildIndex();
    auto inside = [&](double lat, double lon) {
        int count = 0;
        for (const MapData::Area &area : data.areas())
            count += data.contains(area, GeoPoint::fromDegrees(lat, lon));
        return count;
    };
    EXPECT_EQ(inside(48.01, 11.01), 1);
    EXPECT_EQ(inside(48.019, 11.05), 1);
    EXPECT_EQ(inside(48.03, 11.03), 0); // in the hole
    EXPECT_EQ(inside(48.06, 11.03), 0);
}

TEST(MapFile, RefusesWhatIsNotAWholePreparedMapOfItsVersion)
{
    Imported town;
    const QByteArray good = readAll(town.prepared);
    ASSERT_TRUE(openBytes(good).file);

    const auto truncated = openBytes(good.left(good.size() - 100));
    EXPECT_FALSE(truncated.file);
    EXPECT_TRUE(truncated.error.contains("truncated")) << truncated.error.toStdString();

    QByteArray newer = good;
    poke<std::uint32_t>(newer, 8, 2);
    const auto version = openBytes(newer);
    EXPECT_FALSE(version.file);
    EXPECT_EQ(version.error, "map.rovanamap is a prepared map of version 2; this program reads "
                             "version 1: prepare it again with rovana-map import");

    QByteArray table = good;
    poke<std::uint64_t>(table, 40, std::uint64_t(good.size()) - 8);
    EXPECT_TRUE(openBytes(table).error.contains("damaged"));

    EXPECT_TRUE(openBytes(QByteArray("<osm>")).error.contains("not a prepared map"));
    EXPECT_TRUE(openBytes(good.left(F::HeaderSize)).error.contains("truncated"));
}

TEST(MapFile, TilesPointingOutsideOrDamagedAreLeftOut)
{
    Imported town;
    QByteArray bytes = readAll(town.prepared);
    auto opened = openBytes(bytes);
    ASSERT_TRUE(opened.file);
    const F::Band band0 = opened.file->bands()[0];
    // Every tile of the exact band pointed past the end, then its bytes spoilt.
    QByteArray outside = bytes;
    QByteArray spoilt = bytes;
    for (std::uint32_t i = 0; i < band0.tileCount; ++i) {
        const std::size_t entry = band0.indexOffset + i * F::IndexEntrySize;
        poke<std::uint64_t>(outside, entry + 8, std::uint64_t(bytes.size()) - 4);
        std::uint64_t offset = 0;
        std::memcpy(&offset, bytes.constData() + entry + 8, sizeof offset);
        spoilt[qsizetype(offset + 5)] = char(spoilt[qsizetype(offset + 5)] ^ 0x55);
    }
    for (const QByteArray *damaged : {&outside, &spoilt}) {
        auto file = openBytes(*damaged);
        ASSERT_TRUE(file.file);
        PreparedMap map(std::move(file.file));
        int reports = 0;
        map.setDamageReport([&reports] { ++reports; });
        const auto p = at(0, 0);
        EXPECT_TRUE(map.lookUp(p.latitude, p.longitude)->roads().empty());
        EXPECT_EQ(map.damagedTiles() > 0, damaged == &spoilt);
        const auto q = at(1500, 1500);
        (void)map.lookUp(q.latitude, q.longitude);
        // Told once however many damaged tiles are met.
        EXPECT_EQ(reports, damaged == &spoilt ? 1 : 0);
    }
}

TEST(MapImporter, AStoppedImportLeavesNothingBehind)
{
    TempDir dir;
    OsmExtract osm;
    SyntheticTown::addTo(osm, townPlan());
    ASSERT_TRUE(osm.write(dir.file("town.osm.pbf")));
    const std::atomic<bool> stop{true};
    const auto result =
        MapImporter::run(dir.file("town.osm.pbf"), dir.file("town.rovanamap"), stop);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"town.osm.pbf"});
    // A map already there stays as it was.
    dir.write("old.rovanamap", "old");
    (void)MapImporter::run(dir.file("town.osm.pbf"), dir.file("old.rovanamap"), stop);
    EXPECT_EQ(dir.read("old.rovanamap"), "old");
    const std::atomic<bool> never{false};
    EXPECT_FALSE(MapImporter::run(dir.file("missing.osm.pbf"), dir.file("x.rovanamap"), never).ok);
}

TEST(OsmMap, OpensAPreparedMapAndRefusesADamagedOneWithAMessage)
{
    Imported town;
    QWidget page;
    page.resize(792, 369);
    QString path = town.prepared;
    QStringList messages;
    OsmMap map([&] { return path; }, [&](const QString &line) { messages << line; });
    std::optional<bool> result;
    map.create(&page, [&](bool ok) { result = ok; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    ASSERT_TRUE(*result);
    const auto p = at(0, 0);
    EXPECT_EQ(map.placeAt(p.latitude, p.longitude),
              PlaceFinder(*town.whole).placeAt(p.latitude, p.longitude));
    EXPECT_TRUE(map.centre(p.latitude, p.longitude, 2.0));
    map.mapView()->grab();
    ASSERT_TRUE(map.mapView()->data());
    EXPECT_FALSE(map.mapView()->data()->roads().empty());
    EXPECT_TRUE(messages.isEmpty());

    const QByteArray good = readAll(town.prepared);
    path = town.dir.write("cut.rovanamap", good.left(good.size() / 2));
    OsmMap cut([&] { return path; }, [&](const QString &line) { messages << line; });
    result.reset();
    cut.create(&page, [&](bool ok) { result = ok; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(*result);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Map: cut.rovanamap is truncated or damaged"))
        << messages[0].toStdString();
    EXPECT_EQ(cut.placeAt(p.latitude, p.longitude), "");

    // A tile spoilt after the file opened: the map works around it and says so once.
    QByteArray spoilt = good;
    const auto opened = openBytes(good);
    ASSERT_TRUE(opened.file);
    const F::Band band0 = opened.file->bands()[0];
    std::uint64_t offset = 0;
    std::memcpy(&offset, good.constData() + band0.indexOffset + 8, sizeof offset);
    spoilt[qsizetype(offset + 5)] = char(spoilt[qsizetype(offset + 5)] ^ 0x55);
    path = town.dir.write("spoilt.rovanamap", spoilt);
    messages.clear();
    OsmMap gap([&] { return path; }, [&](const QString &line) { messages << line; });
    result.reset();
    gap.create(&page, [&](bool ok) { result = ok; });
    ASSERT_TRUE(waitUntil([&] { return result.has_value(); }));
    ASSERT_TRUE(*result);
    for (double north = -1900; north <= 1900; north += 190.0)
        for (double east = -1900; east <= 2300; east += 190.0)
            (void)gap.placeAt(at(north, east).latitude, at(north, east).longitude);
    EXPECT_EQ(messages,
              QStringList{"Map: spoilt.rovanamap has a damaged part, left out of the map"});
}
