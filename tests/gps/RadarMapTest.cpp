#include "gps/RadarMap.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>

#include <cmath>

namespace {

const QColor Field(40, 90, 60);

class RadarMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        QImage background(RadarMap::StandardSize, QImage::Format_RGB32);
        background.fill(Field);
        map.setBackground(background);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    const QImage &draw(double scale, std::vector<MapEntry> list, bool rebuilt = true,
                       double warning = 1.0, bool on = true)
    {
        entries = std::move(list);
        scaleKm = scale;
        return map.DrawRadarMap(scaleKm, warning, on, rebuilt, entries);
    }

    QColor at(int x, int y) const { return map.bitmap().pixelColor(x, y); }
    bool isBlack(int x, int y) const { return at(x, y) == QColor(Qt::black); }
    bool isRed(int x, int y) const { return at(x, y) == QColor(Qt::red); }
    int count(const QColor &c) const
    {
        int n = 0;
        const QImage &b = map.bitmap();
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                n += b.pixelColor(x, y) == c;
        return n;
    }
    // A pixel of the given colour in the 3 x 3 square around (x, y).
    bool near(int x, int y, const QColor &c) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(x + dx, y + dy) == c)
                    return true;
        return false;
    }

    RadarMap map;
    std::vector<MapEntry> entries;
    double scaleKm = 1.0;
};

} // namespace

TEST(RadarMapRounding, HalvesGoToEven)
{
    EXPECT_EQ(RadarMap::roundHalfEven(2.5), 2);
    EXPECT_EQ(RadarMap::roundHalfEven(3.5), 4);
    EXPECT_EQ(RadarMap::roundHalfEven(-2.5), -2);
    EXPECT_EQ(RadarMap::roundHalfEven(66.5), 66);
    EXPECT_EQ(RadarMap::roundHalfEven(2.5000001), 3);
    EXPECT_EQ(RadarMap::roundHalfEven(1e300), 1000000);
    EXPECT_EQ(RadarMap::roundHalfEven(std::nan("")), 0);
}

TEST(RadarMapMarkers, HalfSizePerScale)
{
    const std::pair<double, int> table[] = {{20, 3}, {10, 4},  {5, 4},   {4, 4},   {3, 4}, {2, 5},
                                            {1, 6},  {0.5, 7}, {0.3, 8}, {0.7, 1}, {50, 1}};
    for (const auto &[scale, half] : table)
        EXPECT_EQ(RadarMap::markerHalfSize(scale), half) << scale;
}

TEST_F(RadarMapTest, TheStandardPictureScale)
{
    EXPECT_EQ(map.centre(), QPoint(315, 139));
    EXPECT_DOUBLE_EQ(map.pxPerKm(1.0), 134.0);
    EXPECT_EQ(map.position({0.5, 0, 50}, 1.0), QPoint(315, 72));
}

// Scale 1 km: a camera 0.5 km ahead is a dot of half-size 6 at (315, 72) in brackets, with
// its text from (329, 58).
TEST_F(RadarMapTest, ACameraAheadAtOneKilometreScale)
{
    draw(1.0, {{0.5, 0.0, 50}});
    EXPECT_TRUE(isBlack(315, 72));
    EXPECT_TRUE(isBlack(315 - 5, 72));
    EXPECT_TRUE(isBlack(315 + 5, 72));
    EXPECT_TRUE(isBlack(315, 72 - 5));
    EXPECT_FALSE(isBlack(315 + 8, 72));
    EXPECT_FALSE(isBlack(315, 72 + 8));
    // Brackets: the sides at +-10 px, the strokes at the corners, a gap in the middle.
    EXPECT_TRUE(isRed(305, 72));
    EXPECT_TRUE(isRed(325, 72));
    EXPECT_TRUE(isRed(305, 72 - 9));
    EXPECT_TRUE(isRed(325, 72 + 9));
    EXPECT_TRUE(near(307, 62, Qt::red));
    EXPECT_TRUE(near(323, 82, Qt::red));
    EXPECT_FALSE(near(315, 62, Qt::red));
    // The text's box.
    EXPECT_EQ(at(329, 58), RadarMap::TextBackground);
    EXPECT_NE(at(328, 58), RadarMap::TextBackground);
    EXPECT_NE(at(329, 57), RadarMap::TextBackground);
    EXPECT_EQ(RadarMap::entryText({0.5, 0, 50}), "0.500 km, 50 kmh");
}

TEST_F(RadarMapTest, TheTextUsesTheLocaleSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(RadarMap::entryText({0.5, 0, 50}), "0,500 km, 50 kmh");
    EXPECT_EQ(RadarMap::entryText({12.3456, 0, 120}), "12,346 km, 120 kmh");
}

TEST_F(RadarMapTest, TenKilometresDrawsDotsOnlyAndBlackSectorLines)
{
    draw(10.0, {{5.0, 0.0, 50}, {3.0, 90.0, 80}}, true, 5.0);
    // 13.4 px per km: 5 km ahead is 67 px up; 3 km to the right is 40 px right.
    EXPECT_TRUE(isBlack(315, 72));
    EXPECT_TRUE(isBlack(315 - 3, 72));
    EXPECT_FALSE(isBlack(315 - 6, 72));
    EXPECT_TRUE(isBlack(355, 139));
    EXPECT_EQ(count(Qt::red), 0);
    EXPECT_EQ(count(RadarMap::TextBackground), 0);
    // The sector: 5 km is 67 px, out along +-35 degrees.
    EXPECT_TRUE(near(334, 112, Qt::black));
    EXPECT_TRUE(near(296, 112, Qt::black));
    EXPECT_TRUE(near(352, 84, Qt::black));
}

TEST_F(RadarMapTest, SectorLinesAreRedWithoutCamerasAndBelowFiveKilometres)
{
    draw(10.0, {}, true, 5.0);
    EXPECT_TRUE(near(334, 112, Qt::red));
    draw(4.0, {{100.0, 0.0, 50}}, true, 1.0); // the camera far off the map
    // 33.5 px per km: 1 km is round(33.5) = 34 px.
    EXPECT_TRUE(near(315 + 10, 139 - 14, Qt::red));
}

TEST_F(RadarMapTest, ACameraBehindIsDrawnBelowTheCentre)
{
    draw(1.0, {{0.5, 180.0, 50}});
    EXPECT_TRUE(isBlack(315, 206));
    draw(1.0, {{0.5, -180.0, 50}});
    EXPECT_TRUE(isBlack(315, 206));
    EXPECT_FALSE(isBlack(315, 72));
    draw(1.0, {{0.5, 90.0, 50}});
    EXPECT_TRUE(isBlack(382, 139));
    draw(1.0, {{0.5, -90.0, 50}});
    EXPECT_TRUE(isBlack(248, 139));
}

TEST_F(RadarMapTest, WithoutANewCheckTheListIsDrawnWithoutDots)
{
    draw(1.0, {{0.5, 0.0, 50}}, false);
    EXPECT_FALSE(isBlack(315, 72));
    EXPECT_TRUE(isRed(305, 72));
    EXPECT_EQ(at(329, 58), RadarMap::TextBackground);
}

TEST_F(RadarMapTest, SwitchedOffShowsTheBareBackground)
{
    draw(1.0, {{0.5, 0.0, 50}}, true, 1.0, false);
    EXPECT_EQ(map.bitmap(), map.background());
}

TEST_F(RadarMapTest, ScaleZeroIsDrawnAsOne)
{
    draw(0.0, {{0.5, 0.0, 50}});
    EXPECT_TRUE(isBlack(315, 72));
    EXPECT_EQ(RadarMap::usableScale(0.0), 1.0);
    EXPECT_EQ(RadarMap::usableScale(-2.0), 1.0);
    EXPECT_EQ(RadarMap::usableScale(std::nan("")), 1.0);
    EXPECT_EQ(RadarMap::usableScale(0.3), 0.3);
}

TEST_F(RadarMapTest, ALongWarningDistanceRunsOffTheMap)
{
    draw(0.3, {}, true, 500.0);
    EXPECT_TRUE(near(315 + 57, 139 - 82, Qt::red));
    EXPECT_TRUE(isRed(315 + 97, 0) || isRed(315 + 98, 0) || isRed(315 + 96, 0));
}

TEST_F(RadarMapTest, EntriesThatAreNotNumbersAreLeftOut)
{
    draw(1.0, {{std::nan(""), 0, 50}, {0.5, std::nan(""), 50}, {0.5, 0.0, 50}});
    EXPECT_TRUE(isBlack(315, 72));
}

// A camera just beyond the coverage leaves no mark, whatever its bearing: the check may
// leave it out of the list.
TEST_F(RadarMapTest, NothingBeyondTheCoverageReachesTheBitmap)
{
    for (double scale : {0.3, 0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 10.0, 20.0}) {
        const QImage bare = draw(scale, {}, true, 0.0);
        // What the camera warning asks the check to keep.
        EXPECT_GE(map.listCoverageKm(scale), map.coverageKm(scale));
        for (double bearing = 0; bearing < 360; bearing += 15) {
            draw(scale, {{map.coverageKm(scale) * 1.0001, bearing, -2147483647 - 1}}, true, 0.0);
            // The zero-length sector lines at the centre aside.
            QImage drawn = map.bitmap();
            for (int y = 139 - 4; y <= 139 + 4; ++y)
                for (int x = 315 - 4; x <= 315 + 4; ++x)
                    drawn.setPixel(x, y, bare.pixel(x, y));
            EXPECT_TRUE(drawn == bare) << scale << " " << bearing;
        }
    }
}

TEST_F(RadarMapTest, TheListCoversEveryScaleOfTheLadder)
{
    for (double scale : {0.3, 0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 10.0, 20.0}) {
        for (double other : {0.3, 0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 10.0, 20.0})
            EXPECT_GE(map.listCoverageKm(scale), map.coverageKm(other));
    }
}

TEST_F(RadarMapTest, TooSmallAPictureGivesWayToABlackMap)
{
    map.setBackground(QImage(5, 5, QImage::Format_RGB32));
    EXPECT_EQ(map.background().size(), RadarMap::StandardSize);
    EXPECT_EQ(map.background().pixelColor(10, 10), QColor(Qt::black));
}

// A picture to look at: ROVANA_PICTURE_DIR names where it goes.
TEST_F(RadarMapTest, PictureOfAMap)
{
    const QByteArray out = qgetenv("ROVANA_PICTURE_DIR");
    draw(2.0, {{0.5, 10.0, 50}, {1.2, -40.0, 80}, {2.5, 100.0, 120}, {0.9, 180.0, 30}}, true, 1.0);
    if (!out.isEmpty()) {
        EXPECT_TRUE(map.bitmap().save(QDir(QString::fromLocal8Bit(out)).filePath("radar-map.png")));
    }
}

// By night the background keeps a third of its light and the texts' ground more than half,
// while the dots and brackets keep their colours; a picture set later is dimmed too, and
// full light brings the picture back as it was.
TEST_F(RadarMapTest, ByNightTheBackgroundIsDimmedButNotTheCameras)
{
    map.setBackgroundLight(0.35);
    draw(1.0, {{0.5, 0.0, 50}});
    const QColor ground = at(10, 10);
    EXPECT_NEAR(ground.green(), qRound(Field.green() * 0.35), 2);
    EXPECT_TRUE(isBlack(315, 72));
    EXPECT_TRUE(isRed(305, 72));
    const QColor text = at(329, 58);
    EXPECT_LT(text.red(), RadarMap::TextBackground.red());
    EXPECT_GE(text.red(), qRound(RadarMap::TextBackground.red() * 0.6) - 1);

    QImage other(RadarMap::StandardSize, QImage::Format_RGB32);
    other.fill(QColor(200, 200, 200));
    map.setBackground(other);
    EXPECT_NEAR(map.background().pixelColor(0, 0).red(), 70, 2);
    map.setBackgroundLight(1.0);
    EXPECT_EQ(map.background().pixelColor(0, 0), QColor(200, 200, 200));
    draw(1.0, {{0.5, 0.0, 50}});
    EXPECT_EQ(at(329, 58), RadarMap::TextBackground);
}
