#include "core/CommandKey.h"
#include "log/LogbookFixture.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/CarMarker.h"

namespace {

class MapScreenTest : public LogbookFixture {
protected:
    void SetUp() override
    {
        mapScreen->CreateMap();
        map.calls.clear();
        shared.gps.DecimalLatitude = 51.5;
        shared.gps.DecimalLongitude = 7.25;
    }
    void key(quint16 k) { mapScreen->commandKey(k); }
    bool northSouthArrows() const
    {
        return !mapScreen->ns1->isHidden() && !mapScreen->ns2->isHidden() &&
               mapScreen->we1->isHidden() && mapScreen->we2->isHidden();
    }
    bool westEastArrows() const
    {
        return mapScreen->ns1->isHidden() && mapScreen->ns2->isHidden() &&
               !mapScreen->we1->isHidden() && !mapScreen->we2->isHidden();
    }
};

} // namespace

TEST_F(MapScreenTest, StartsNorthSouthAtZoomOneWithoutTheCar)
{
    EXPECT_EQ(mapScreen->ZoomFactor, 1.0);
    EXPECT_TRUE(mapScreen->PanAxisNorthSouth);
    EXPECT_TRUE(northSouthArrows());
    EXPECT_TRUE(mapScreen->CarPosition->isHidden());
    EXPECT_EQ(mapScreen->CarPosition->geometry(), QRect(393, 167, 17, 23));
    EXPECT_EQ(mapScreen->OleContainer->size(), QSize(792, 369));
}

TEST_F(MapScreenTest, TZoomsOutInPrivateModeOnlySettingTheAltitude)
{
    key(CommandKey::T);
    key(CommandKey::T);
    key(CommandKey::T);
    EXPECT_EQ(mapScreen->ZoomFactor, 8.0);
    EXPECT_EQ(map.calls, (QStringList{"altitude 2", "altitude 4", "altitude 8"}));
    EXPECT_TRUE(mapScreen->CarPosition->isHidden());
}

TEST_F(MapScreenTest, ZZoomsInNoCloserThanTheStart)
{
    key(CommandKey::Z);
    EXPECT_EQ(mapScreen->ZoomFactor, 1.0);
    key(CommandKey::T);
    key(CommandKey::T);
    key(CommandKey::Z);
    EXPECT_EQ(mapScreen->ZoomFactor, 2.0);
    key(CommandKey::Z);
    key(CommandKey::Z);
    EXPECT_EQ(mapScreen->ZoomFactor, 1.0);
    EXPECT_EQ(map.calls, (QStringList{"altitude 1", "altitude 2", "altitude 4", "altitude 2",
                                      "altitude 1", "altitude 1"}));
}

TEST_F(MapScreenTest, TZoomsOutInBusinessModeCentredOnTheCar)
{
    shared.BusinessMode = true;
    key(CommandKey::T);
    EXPECT_EQ(map.calls, (QStringList{"centre 51.5 7.25 2", "place 51.5 7.25"}));
    EXPECT_FALSE(mapScreen->CarPosition->isHidden());
}

TEST_F(MapScreenTest, PanningFollowsTheAxisAndHidesTheCar)
{
    mapScreen->CentreOnCar(51.5, 7.25);
    ASSERT_FALSE(mapScreen->CarPosition->isHidden());
    map.calls.clear();
    key(CommandKey::L);
    EXPECT_TRUE(mapScreen->CarPosition->isHidden());
    key(CommandKey::R);
    key(CommandKey::C);
    EXPECT_FALSE(mapScreen->PanAxisNorthSouth);
    EXPECT_TRUE(westEastArrows());
    key(CommandKey::L);
    key(CommandKey::R);
    EXPECT_EQ(map.calls, (QStringList{"pan 8 1", "pan 2 1", "pan 4 1", "pan 6 1"}));
}

TEST_F(MapScreenTest, AxisSwitchedTwiceIsNorthSouthAgain)
{
    key(CommandKey::C);
    key(CommandKey::C);
    EXPECT_TRUE(mapScreen->PanAxisNorthSouth);
    EXPECT_TRUE(northSouthArrows());
}

TEST_F(MapScreenTest, AFailedPanLeavesTheCarShown)
{
    mapScreen->CentreOnCar(51.5, 7.25);
    map.failing = true;
    key(CommandKey::R);
    EXPECT_FALSE(mapScreen->CarPosition->isHidden());
}

TEST_F(MapScreenTest, AFailedCentreGivesNoPlaceAndNoCar)
{
    map.failing = true;
    EXPECT_EQ(mapScreen->CentreOnCar(51.5, 7.25), "");
    EXPECT_TRUE(mapScreen->CarPosition->isHidden());
    EXPECT_EQ(map.calls, QStringList{"centre 51.5 7.25 1"});
}

TEST_F(MapScreenTest, PlaceAtPositionPassesTheMapsAnswer)
{
    map.setPlace(51.5, 7.25, "Markt, Essen");
    EXPECT_EQ(mapScreen->PlaceAtPosition(51.5, 7.25), "Markt, Essen");
    EXPECT_EQ(mapScreen->PlaceAtPosition(51.6, 7.25), "n/a");
}

TEST_F(MapScreenTest, QGoesBack)
{
    key(CommandKey::Q);
    EXPECT_EQ(backs, 1);
    key(CommandKey::Q);
    EXPECT_EQ(backs, 2);
}
