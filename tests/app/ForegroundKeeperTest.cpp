#include "app/ForegroundKeeper.h"
#include "app/TForm1.h"
#include "can/FakeClock.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace {

void activate(QWidget &w)
{
    w.raise();
    w.activateWindow();
    QApplication::processEvents();
}

} // namespace

TEST(ForegroundKeeper, AWindowThatTookTheForegroundLosesItWithinFiveSeconds)
{
    QWidget window;
    window.show();
    activate(window);
    ASSERT_TRUE(window.isActiveWindow());
    FakeClock clock;
    ForegroundKeeper keeper(window, clock.factory()());

    QWidget other;
    other.show();
    activate(other);
    ASSERT_FALSE(window.isActiveWindow());
    clock.advance(4999);
    QApplication::processEvents();
    EXPECT_TRUE(other.isActiveWindow()); // not before its tick
    clock.advance(1);
    QApplication::processEvents();
    EXPECT_TRUE(window.isActiveWindow());

    // In front already: the ticks leave it so, and a later intruder goes the same way.
    clock.advance(3 * ForegroundKeeper::IntervalMs);
    QApplication::processEvents();
    EXPECT_TRUE(window.isActiveWindow());
    activate(other);
    clock.advance(ForegroundKeeper::IntervalMs);
    QApplication::processEvents();
    EXPECT_TRUE(window.isActiveWindow());
}

TEST(ForegroundKeeper, TheWindowKeepsItselfInFrontFromTheStart)
{
    TempDir dir;
    TForm1 form(dir.path(), standInServices());
    form.show();
    const IntervalTimer &timer = form.foregroundKeeper().timer();
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), ForegroundKeeper::IntervalMs);
}
