#include "app/OptionsScreen.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

// The system messages hold 64 KiB of text. A line that no longer fits empties the list
// and is then its first line: the newest message is the one the driver needs.
TEST(SystemMessages, AFullListIsEmptiedAndKeepsTheNewestLine)
{
    OptionsScreen options;
    ASSERT_EQ(OptionsScreen::SysMemoCapacity, 64 * 1024);
    const QString line = QStringLiteral("Restarting CAN2COM"); // 18 characters and a line end
    const qsizetype fits = OptionsScreen::SysMemoCapacity / 19;
    for (qsizetype i = 0; i < fits; ++i)
        options.appendSysMessage(line);
    ASSERT_EQ(options.sysMessages().size(), fits);
    EXPECT_LE(options.SysMemo->document()->characterCount(), OptionsScreen::SysMemoCapacity);
    options.appendSysMessage(QStringLiteral("CAN2ComPort is enabled"));
    EXPECT_EQ(options.sysMessages(), QStringList{"CAN2ComPort is enabled"});
    options.appendSysMessage(line);
    EXPECT_EQ(options.sysMessages(), (QStringList{"CAN2ComPort is enabled", line}));
}
