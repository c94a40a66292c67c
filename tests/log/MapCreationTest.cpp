#include "log/LogbookFixture.h"
#include "log/LogPanel.h"
#include "widgets/PanelButton.h"

#include <QCoreApplication>
#include <QFile>

namespace {

class FailedMapTest : public LogbookFixture {
protected:
    FailedMapTest() : LogbookFixture(FakeMap::Create::Fail) {}
};

class MapAfterViewFailsTest : public LogbookFixture {
protected:
    MapAfterViewFailsTest() : LogbookFixture(FakeMap::Create::FailAfterView) {}
};

class SlowMapTest : public LogbookFixture {
protected:
    SlowMapTest() : LogbookFixture(FakeMap::Create::Later) {}
};

} // namespace

TEST_F(LogbookFixture, StartsWithoutPanelAndWithTheNoPlaceText)
{
    EXPECT_TRUE(screen->DriversLogPanel->isHidden());
    EXPECT_EQ(screen->Panel92->text(), "No data on City or Street available");
    EXPECT_EQ(screen->Panel94->text(), "Mode is PRIVATE");
    EXPECT_FALSE(shared.MapAvailable);
}

TEST_F(LogbookFixture, ACreatedMapShowsThePanelOnce)
{
    mapScreen->CreateMap();
    mapScreen->CreateMap();
    EXPECT_EQ(map.creations, 1);
    EXPECT_TRUE(shared.MapAvailable);
    EXPECT_FALSE(screen->DriversLogPanel->isHidden());
    EXPECT_EQ(map.view()->parentWidget(), mapScreen->OleContainer);
    EXPECT_EQ(map.view()->geometry(), mapScreen->OleContainer->rect());
}

TEST_F(FailedMapTest, SaysSoHidesThePanelAndWritesNothing)
{
    mapScreen->CreateMap();
    EXPECT_EQ(screen->Panel92->text(), "Microsoft MapPoint not found");
    EXPECT_TRUE(screen->DriversLogPanel->isHidden());
    EXPECT_FALSE(shared.MapAvailable);
    EXPECT_FALSE(screen->focusShowMap());
    log->Panel90Click();
    driveTo(51.1, "Kirchweg");
    EXPECT_FALSE(QFile::exists(primaryFile()));
    EXPECT_EQ(screen->Panel92->text(), "Microsoft MapPoint not found");
}

TEST_F(FailedMapTest, IsTriedAgainWhileNothingWasMade)
{
    mapScreen->CreateMap();
    screen->Panel92->setText("something else");
    mapScreen->CreateMap();
    EXPECT_EQ(map.creations, 2);
    EXPECT_EQ(screen->Panel92->text(), "Microsoft MapPoint not found");
}

TEST_F(MapAfterViewFailsTest, StaysUnavailableForTheRun)
{
    mapScreen->CreateMap();
    mapScreen->CreateMap();
    EXPECT_EQ(map.creations, 1);
    EXPECT_FALSE(shared.MapAvailable);
    EXPECT_EQ(screen->Panel92->text(), "Microsoft MapPoint not found");
}

TEST_F(SlowMapTest, ThePanelComesWithTheMap)
{
    mapScreen->CreateMap();
    EXPECT_TRUE(mapScreen->creating());
    mapScreen->CreateMap();
    EXPECT_EQ(map.creations, 1);
    EXPECT_TRUE(screen->DriversLogPanel->isHidden());
    EXPECT_FALSE(shared.MapAvailable);
    map.finish(true);
    EXPECT_TRUE(shared.MapAvailable);
    EXPECT_FALSE(screen->DriversLogPanel->isHidden());
    // The page shows, so "Show Map" takes the focus as it would have at once.
    EXPECT_TRUE(screen->focus().has(screen->Panel88));
}

TEST_F(SlowMapTest, AnAnswerAfterTheScreenIsGoneIsDropped)
{
    mapScreen->CreateMap();
    mapScreen->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    map.finish(true);
    EXPECT_FALSE(shared.MapAvailable);
}
