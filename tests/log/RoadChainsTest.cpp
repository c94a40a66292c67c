#include "log/RoadChains.h"
#include "log/MapData.h"

#include <gtest/gtest.h>

namespace {

GeoPoint p(int i) { return GeoPoint::fromDegrees(48.0, 11.0 + i * 0.001); }

// Roads through the points p(from)..p(to), either way round.
struct Roads {
    MapData data;
    std::vector<MapData::Piece> runs;

    void add(const QString &name, int from, int to)
    {
        std::vector<GeoPoint> points;
        for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
            points.push_back(p(i));
        data.addRoad(RoadClass::Minor, data.addName(name), points);
        const MapData::Road &road = data.roads().back();
        runs.push_back({std::uint32_t(data.roads().size() - 1), road.first, road.count});
    }
    std::vector<std::vector<GeoPoint>> chains()
    {
        RoadChains chains;
        chains.join(data, runs);
        std::vector<std::vector<GeoPoint>> lines;
        std::vector<GeoPoint> points;
        for (const RoadChains::Chain &chain : chains.chains()) {
            chains.pointsOf(data, chain, points);
            EXPECT_EQ(points.size(), chain.pointCount);
            lines.push_back(points);
        }
        return lines;
    }
};

std::vector<GeoPoint> line(int from, int to)
{
    std::vector<GeoPoint> points;
    for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
        points.push_back(p(i));
    return points;
}

} // namespace

TEST(RoadChains, PartsOfAStreetThatMeetBecomeOneLine)
{
    Roads roads;
    roads.add("Mill Street", 3, 6);
    roads.add("Mill Street", 0, 3);
    roads.add("Mill Street", 6, 9);
    const auto lines = roads.chains();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line(0, 9));
}

TEST(RoadChains, PartsDrawnTheOtherWayRoundAreTurned)
{
    Roads roads;
    roads.add("Mill Street", 0, 3);
    roads.add("Mill Street", 6, 3);
    roads.add("Mill Street", 8, 6);
    const auto lines = roads.chains();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line(0, 8));
}

TEST(RoadChains, DifferentNamesAndGapsKeepLinesApart)
{
    Roads roads;
    roads.add("Mill Street", 0, 3);
    roads.add("Church Lane", 3, 6);
    roads.add("Mill Street", 7, 9);
    roads.add("", 9, 11);
    roads.add("", 11, 12);
    const auto lines = roads.chains();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], line(0, 3));
    EXPECT_EQ(lines[1], line(3, 6));
    EXPECT_EQ(lines[2], line(7, 9));
    EXPECT_EQ(lines[3], line(9, 12)); // unnamed parts join too
}

TEST(RoadChains, ALoopEndsWhereItStarted)
{
    Roads roads;
    roads.add("Ring", 0, 4);
    roads.add("Ring", 4, 0);
    const auto lines = roads.chains();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 9u);
    EXPECT_EQ(lines[0].front(), lines[0].back());
}

TEST(RoadChains, ACrossingOfThreePartsJoinsTwo)
{
    Roads roads;
    roads.add("Mill Street", 0, 3);
    roads.add("Mill Street", 3, 6);
    roads.add("Mill Street", 3, 1); // a branch back over the same points
    const auto lines = roads.chains();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size() + lines[1].size(), 7u + 3u);
}
