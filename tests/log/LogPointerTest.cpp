#include "log/LogbookFixture.h"
#include "log/LogPanel.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/PanelButton.h"

namespace {

class LogPointerTest : public LogbookFixture {
protected:
    void SetUp() override
    {
        mapScreen->CreateMap();
        window.show();
    }
    int panelTop() const { return screen->DriversLogPanel->mapTo(&window, QPoint()).y(); }
};

QColor textOf(const PanelButton *p) { return p->palette().color(QPalette::WindowText); }
QColor backOf(const PanelButton *p) { return p->palette().color(QPalette::Window); }

} // namespace

TEST_F(LogPointerTest, PointsAtEachEntryOfTheMenu)
{
    struct Row {
        PanelButton *entry;
        int n;
        int left;
    };
    for (const Row &r : {Row{screen->Panel88, 4, 67}, Row{screen->Panel91, 3, 68},
                         Row{screen->Panel89, 2, 77}, Row{screen->Panel90, 1, 91}}) {
        screen->focus().focus(r.entry);
        ASSERT_TRUE(marker.isVisible());
        EXPECT_EQ(marker.Shape1->pos(), QPoint(r.left, panelTop() + 62 * r.n + 41));
        EXPECT_EQ(marker.Shape2->x(), r.left + marker.Shape1->width());
        EXPECT_EQ(marker.Shape2->y(), marker.Shape1->y() + marker.Shape1->height() / 2);
        EXPECT_EQ(marker.Shape2->width(), 108 - r.left);
        EXPECT_EQ(marker.Shape3->pos(), marker.Shape1->pos() + QPoint(6, 7));
        // The pointer lies level with its entry.
        const int entryMiddle = r.entry->mapTo(&window, r.entry->rect().center()).y();
        EXPECT_NEAR(marker.Shape1->y() + marker.Shape1->height() / 2, entryMiddle, 2);
    }
}

TEST_F(LogPointerTest, WithoutFocusThePointerRestsAboveTheMenu)
{
    screen->focus().clear();
    screen->UpdateLogPointer();
    EXPECT_EQ(marker.Shape1->pos(), QPoint(91, panelTop() + 41));
}

TEST_F(LogPointerTest, OnAnotherPageThePointerHides)
{
    screen->focusShowMap();
    ASSERT_TRUE(marker.isVisible());
    screens.screen = 9;
    screen->UpdateLogPointer();
    EXPECT_FALSE(marker.isVisible());
}

TEST_F(LogPointerTest, FocusLookOfEntryAndValue)
{
    const QColor main(0xCD, 0xB8, 0x99);
    screen->applyColours(main, Qt::white);
    screen->focus().focus(screen->Panel90);
    EXPECT_EQ(textOf(screen->Panel90), QColor(Qt::white));
    EXPECT_TRUE(screen->Panel90->font().bold());
    EXPECT_EQ(backOf(screen->Panel94), QColor(Qt::white));
    EXPECT_EQ(textOf(screen->Panel94), QColor(Qt::black));

    screen->focus().focus(screen->Panel88);
    EXPECT_EQ(textOf(screen->Panel90), main);
    EXPECT_FALSE(screen->Panel90->font().bold());
    EXPECT_EQ(backOf(screen->Panel94), main);
    EXPECT_EQ(screen->Panel96->colour(), QColor(Qt::white));

    screen->focus().focus(screen->Panel91);
    EXPECT_EQ(screen->Panel96->colour(), main);
    EXPECT_EQ(backOf(screen->Panel97), QColor(Qt::white));
}

TEST_F(LogPointerTest, EditLook)
{
    const QColor main(0xCD, 0xB8, 0x99);
    screen->applyColours(main, Qt::white);
    screen->setEditLook(screen->Panel91, true);
    EXPECT_EQ(textOf(screen->Panel91), QColor(Qt::black));
    EXPECT_EQ(backOf(screen->Panel91), main);
    // A colour change keeps the entry in its edit look.
    const QColor red(Qt::red);
    screen->applyColours(red, Qt::white);
    EXPECT_EQ(backOf(screen->Panel91), red);
    screen->setEditLook(screen->Panel91, false);
    EXPECT_EQ(textOf(screen->Panel91), red);
    EXPECT_EQ(backOf(screen->Panel91), QColor(Qt::black));
}
