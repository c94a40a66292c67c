#include "gps/RadarScreen.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

// The radar screen's messages hold 64 KiB of text like the system messages: a line that
// no longer fits empties them and is then their first line.
TEST(RadarMessages, AFullListIsEmptiedAndKeepsTheNewestLine)
{
    RadarScreen screen;
    ASSERT_EQ(RadarScreen::RadarMemoCapacity, 64 * 1024);
    const QString line = QStringLiteral("0123456789abcdef"); // 16 characters and a line end
    const qsizetype fits = RadarScreen::RadarMemoCapacity / 17;
    for (qsizetype i = 0; i < fits; ++i)
        screen.addMessage(line);
    ASSERT_EQ(BoundedMemo::lines(*screen.RadarMemo).size(), fits);
    screen.addMessage(QStringLiteral("newest"));
    EXPECT_EQ(BoundedMemo::lines(*screen.RadarMemo), QStringList{"newest"});
}
