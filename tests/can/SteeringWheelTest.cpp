#include "CanLinkFixture.h"

#include "core/CommandKey.h"
#include "can/SteeringWheel.h"

#include <stdexcept>

namespace {

struct WheelCase {
    const char *line;
    WheelGlyph *CanPage::*label;
    QString glyph;
    const char *trace;
    const char *key;
};

} // namespace

TEST_F(CanLinkTest, LeftRollerUpShowsAnArrowSendsRAndTheGlyphGoes500msLater)
{
    receive("1601\r");
    EXPECT_EQ(page.leftwalve->text(), WheelGlyph::Up);
    EXPECT_EQ(WheelGlyph::shown(page.leftwalve->text()), QStringLiteral("\u2191"));
    EXPECT_EQ(traceLines(), QStringList{at("Wheel Status is CAN_WheelButton_left_up ")});
    EXPECT_EQ(keys(), "R");
    clock.advance(499);
    EXPECT_EQ(page.leftwalve->text(), WheelGlyph::Up);
    clock.advance(1);
    EXPECT_EQ(page.leftwalve->text(), "");
    EXPECT_FALSE(link->wheel().CAN2COMClearTimer().isActive());
}

TEST_F(CanLinkTest, EveryWheelStateHasItsGlyphTraceAndKey)
{
    const WheelCase cases[] = {
        {"1601", &CanPage::leftwalve, WheelGlyph::Up, "left_up ", "R"},
        {"1602", &CanPage::leftwalve, WheelGlyph::Down, "left_down ", "L"},
        {"1603", &CanPage::leftwalve, WheelGlyph::Press, "left_press ", "C"},
        {"1604", &CanPage::leftwalve, WheelGlyph::LongPress, "left_press_LT1SEC ", "Q"},
        {"1605", &CanPage::mode, WheelGlyph::Press, "MODE_press ", ""},
        {"1606", &CanPage::mode, WheelGlyph::LongPress, "MODE_press_LT1SEC ", ""},
        {"1607", &CanPage::rightwalve, WheelGlyph::Up, "right_up ", ""},
        {"1608", &CanPage::rightwalve, WheelGlyph::Down, "right_down ", ""},
        {"1609", &CanPage::rightwalve, WheelGlyph::Press, "right_press ", "C"},
        {"160A", &CanPage::rightwalve, WheelGlyph::LongPress, "right_press_LT1SEC ", "Q"},
        {"160B", &CanPage::audio, WheelGlyph::Press, "AUDIO_press ", ""},
        {"160C", &CanPage::audio, WheelGlyph::LongPress, "AUDIO_press_LT1SEC ", "Q"},
    };
    for (const WheelCase &c : cases) {
        mainMenu.keys.clear();
        receive(QByteArray(c.line) + '\r');
        EXPECT_EQ((page.*c.label)->text(), c.glyph) << c.line;
        EXPECT_EQ(traceLines().last(),
                  at("Wheel Status is CAN_WheelButton_" + QString::fromLatin1(c.trace)))
            << c.line;
        EXPECT_EQ(keys(), QString::fromLatin1(c.key)) << c.line;
        clock.advance(SteeringWheel::ClearMs);
        for (WheelGlyph *g : {page.leftwalve, page.rightwalve, page.mode, page.audio})
            EXPECT_EQ(g->text(), "") << c.line;
    }
    EXPECT_EQ(traceLines().size(), 12);
}

TEST_F(CanLinkTest, StateZeroDoesNothingAtAll)
{
    receive("1600\r");
    EXPECT_TRUE(traceLines().isEmpty());
    EXPECT_EQ(keys(), "");
    EXPECT_FALSE(link->wheel().CAN2COMClearTimer().isActive());
}

TEST_F(CanLinkTest, UnknownAndUnreadableStatesAreInvalidWithoutGlyphOrKey)
{
    receive("160D\r16\r16.1\r16FF\r");
    EXPECT_EQ(traceLines(), QStringList(4, at("Wheel Status is invalid ")));
    for (WheelGlyph *g : {page.leftwalve, page.rightwalve, page.mode, page.audio})
        EXPECT_EQ(g->text(), "");
    EXPECT_EQ(keys(), "");
    EXPECT_FALSE(link->wheel().CAN2COMClearTimer().isActive());
}

TEST_F(CanLinkTest, ASecondButton300msLaterDoesNotRestartTheCountdown)
{
    receive("1601\r");
    clock.advance(300);
    receive("1607\r");
    EXPECT_EQ(page.rightwalve->text(), WheelGlyph::Up);
    EXPECT_EQ(link->wheel().CAN2COMClearTimer().interval(), 500);
    clock.advance(199);
    EXPECT_EQ(page.rightwalve->text(), WheelGlyph::Up);
    clock.advance(1); // 200 ms after it appeared
    EXPECT_EQ(page.rightwalve->text(), "");
    EXPECT_EQ(page.leftwalve->text(), "");
    // The next button starts a full countdown again.
    receive("1603\r");
    clock.advance(499);
    EXPECT_EQ(page.leftwalve->text(), WheelGlyph::Press);
    clock.advance(1);
    EXPECT_EQ(page.leftwalve->text(), "");
}

TEST_F(CanLinkTest, AFailingActionEndsThatKeyAndTheChunkGoesOn)
{
    mainMenu.onKey = [](quint16) {
        throw std::runtime_error("action failed");
    };
    receive("1601\r1602\r1003\r");
    EXPECT_EQ(keys(), "RL");
    EXPECT_EQ(page.keypos->text(), "Ignition Key 2");
}

TEST(SteeringWheel, SendWheelKeySwallowsWhatTheDispatcherThrows)
{
    CanPage page;
    CanTrace trace(*page.CAN2COMMemo);
    FakeClock clock;
    QString seen;
    SteeringWheel wheel(
        page, trace,
        [&](quint16 &key) {
            seen += QChar(key);
            throw 42;
        },
        clock.factory()());
    wheel.SendWheelKey(CommandKey::Q);
    wheel.HandleWheelState(2);
    EXPECT_EQ(seen, "QL");
    EXPECT_EQ(trace.lines().size(), 1);
}

TEST(WheelGlyph, DrawsUnicodeEquivalentsOfTheSymbolFont)
{
    EXPECT_EQ(WheelGlyph::shown(WheelGlyph::Up), QStringLiteral("\u2191"));
    EXPECT_EQ(WheelGlyph::shown(WheelGlyph::Down), QStringLiteral("\u2193"));
    EXPECT_EQ(WheelGlyph::shown(WheelGlyph::Press), QStringLiteral("\u263A"));
    EXPECT_EQ(WheelGlyph::shown(WheelGlyph::LongPress), QStringLiteral("\u231B"));
    EXPECT_EQ(WheelGlyph::shown(QString()), QString());
    EXPECT_EQ(WheelGlyph::Up, QString(QChar(0xE1)));
}
