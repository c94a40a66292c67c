#include "CanLinkFixture.h"

#include "can/LinkSupervisor.h"

#include <stdexcept>

namespace {

// A port whose device is missing: every open fails as the serial component's does.
class MissingPort : public PortRequestLog {
public:
    bool OpenPort() override
    {
        PortRequestLog::OpenPort();
        throw std::runtime_error("Error opening COM1: No such file or directory");
    }
    bool isOpen() const override { return false; }
};

} // namespace

TEST_F(CanLinkTest, FifteenSecondsWithoutDataTurnCanRedAndTheNextChunkBack)
{
    receive("1003\r");
    EXPECT_EQ(canColour(), mainColour);
    clock.advance(14999);
    EXPECT_EQ(canColour(), mainColour);
    clock.advance(1);
    EXPECT_EQ(canColour(), LinkSupervisor::Red);
    EXPECT_EQ(LinkSupervisor::Red, QColor(255, 0, 0));
    // Red again at every interval while nothing arrives.
    canLabel.setPalette(QPalette());
    clock.advance(15000);
    EXPECT_EQ(canColour(), LinkSupervisor::Red);
    receive("x");
    EXPECT_EQ(canColour(), mainColour);
}

// Night falls (or the main colour changes): a live "CAN" takes the new colour at once, a
// silent one stays red.
TEST_F(CanLinkTest, ALiveIndicatorFollowsTheColourScheme)
{
    receive("1003\r");
    mainColour = QColor(60, 50, 40);
    link->supervisor().schemeChanged();
    EXPECT_EQ(canColour(), mainColour);
    clock.advance(15000);
    link->supervisor().schemeChanged();
    EXPECT_EQ(canColour(), LinkSupervisor::Red);
}

TEST_F(CanLinkTest, EveryChunkRestartsTheWatchdogWithItsFullInterval)
{
    for (int i = 0; i < 5; ++i) {
        clock.advance(10000);
        receive("1003\r");
    }
    EXPECT_EQ(canColour(), mainColour);
    EXPECT_TRUE(link->supervisor().CANTimeout().isActive());
    EXPECT_EQ(link->supervisor().CANTimeout().interval(), 15000);
    clock.advance(15000);
    EXPECT_EQ(canColour(), LinkSupervisor::Red);
}

TEST_F(CanLinkTest, TheSupervisorReopensAClosedEnabledPortAtItsNextTick)
{
    EXPECT_TRUE(link->supervisor().COMSupervisorTimer().isActive());
    EXPECT_EQ(link->supervisor().COMSupervisorTimer().interval(), 15000);
    port.setPortIndex(4);
    emit page.BitBtn13->clicked(); // "Stop COM"
    EXPECT_FALSE(port.isOpen());
    clock.advance(14999);
    EXPECT_TRUE(sysMemo.isEmpty());
    clock.advance(1);
    EXPECT_EQ(sysMemo, QStringList{"Restarting CAN2COM"});
    EXPECT_TRUE(port.isOpen());
    // Whatever port the component holds.
    EXPECT_EQ(port.requests().mid(1), (QStringList{"close", "close", "open COM5"}));
    clock.advance(15000);
    EXPECT_EQ(sysMemo.size(), 1);
}

TEST_F(CanLinkTest, ADisabledLinkStaysClosed)
{
    enabled = false;
    emit page.BitBtn13->clicked();
    clock.advance(60000);
    EXPECT_TRUE(sysMemo.isEmpty());
    EXPECT_FALSE(port.isOpen());
    // Checked again while running: open at the next tick.
    enabled = true;
    clock.advance(15000);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(sysMemo, QStringList{"Restarting CAN2COM"});
}

TEST_F(CanLinkTest, RestartComClosesAndOpensThePort)
{
    port.setPortIndex(1);
    emit page.BitBtn12->clicked();
    EXPECT_EQ(port.requests().mid(1), (QStringList{"close", "open COM2"}));
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(messages.isEmpty());
}

class MissingAdapterTest : public CanLinkTest {
protected:
    MissingAdapterTest()
    {
        link.reset(); // the fixture's link lets go of the port first
        link = std::make_unique<Can2ComLink>(Can2ComLink::Wiring{
            missing, page, trace, canLabel, [this] { return mainColour; },
            [this] { return enabled; }, [this](const QString &line) { sysMemo << line; },
            [this](quint16 &key) { dispatcher.FormKeyDown(key); },
            [this](const QString &text) { messages << text; }, QString(), clock.factory()});
    }
    ~MissingAdapterTest() override { link.reset(); }
    MissingPort missing;
};

TEST_F(MissingAdapterTest, EveryTickTriesAgainAndNothingIsShown)
{
    clock.advance(3 * 15000);
    EXPECT_EQ(sysMemo, QStringList(3, QStringLiteral("Restarting CAN2COM")));
    EXPECT_EQ(missing.requests().count(QStringLiteral("open COM1")), 3);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MissingAdapterTest, RestartComShowsTheComponentsMessage)
{
    emit page.BitBtn12->clicked();
    EXPECT_EQ(messages, QStringList{"Error opening COM1: No such file or directory"});
}
