#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

#include <gtest/gtest.h>

TEST(PanelButton, TheFocusedEntryIsWhiteTheOthersTakeTheRestColour)
{
    PanelButton b(QStringLiteral("Select"));
    const QFont font = b.font();
    b.showFocus(true, Qt::green);
    EXPECT_EQ(b.textColour(), QColor(Qt::white));
    b.showFocus(false, Qt::green);
    EXPECT_EQ(b.textColour(), QColor(Qt::green));
    // The colour alone leaves the font as it was.
    EXPECT_EQ(b.font(), font);
}

TEST(PanelButton, AFocusFontIsBoldAndLargerWithTheFocus)
{
    PanelButton b(QStringLiteral("Return"));
    b.setFont(SkinFont::points(SkinFont::Narrow, 24, false, true));
    const PanelButton::FocusFont look{24, 27, true};
    b.showFocus(true, Qt::black, look);
    EXPECT_EQ(b.textColour(), QColor(Qt::white));
    EXPECT_TRUE(b.font().bold());
    EXPECT_TRUE(b.font().italic());
    const QFont focused = b.font();
    b.showFocus(false, Qt::black, look);
    EXPECT_EQ(b.textColour(), QColor(Qt::black));
    EXPECT_FALSE(b.font().bold());
    EXPECT_TRUE(b.font().italic());
    EXPECT_EQ(b.font(), SkinFont::points(b.font().family(), 24, false, true));
    EXPECT_GT(focused.pixelSize() + focused.pointSize(),
              b.font().pixelSize() + b.font().pointSize());
    // The family stays whatever the menu chose.
    EXPECT_EQ(focused.family(), b.font().family());
}
