#include "core/Screen.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"
#include "support/RecordingVideoListActions.h"
#include "widgets/SelectionMarker.h"

#include "MediaScreenFixture.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace {

class TypedActions : public RecordingVideoListActions {
public:
    QString ReadVideoType(const QString &path) override
    {
        RecordingVideoListActions::ReadVideoType(path);
        return path.endsWith(".avi") ? QStringLiteral("XVID") : QStringLiteral("N/A");
    }
};

class VideoListTest : public ::testing::Test, public MediaScreenFixture {
protected:
    void SetUp() override
    {
        videoDir.write("Films/c.vob", "x");
        videoDir.write("a.avi", "x");
        videoDir.write("b.MPG", "x");
        videoDir.write("notes.txt", "x");
        start();
        screen().setActions(&actions);
        form->navigator().setTitle("Select Video");
        form->navigator().showScreen(Screen::Vide_select);
    }
    VideoListScreen &screen() const { return *form->videoList(); }
    TAUDIListbox &list() const { return screen().VideoListBox(); }
    QString label() const { return screen().panel().PositionLabel->text(); }

    TypedActions actions;
};

} // namespace

TEST_F(VideoListTest, KeysWalkOpenAndLeave)
{
    EXPECT_EQ(list().items(), (QStringList{QStringLiteral("\u00BB  Films"), "a.avi", "b.MPG"}));
    EXPECT_EQ(label(), "1 of 3 N/A");
    EXPECT_TRUE(form->marker().isVisible());
    key('L');
    EXPECT_EQ(label(), "2 of 3 XVID");
    EXPECT_EQ(form->marker().barPosition(), QPoint(81, 42 + 160));
    key('R');
    key('R');
    EXPECT_EQ(list().itemIndex(), 0);

    actions.clear();
    key('C'); // a directory: entered
    EXPECT_EQ(list().directory(), videos() + "/Films");
    EXPECT_EQ(label(), "1 of 1 N/A");
    EXPECT_EQ(actions.calls().first(), "hide error");
    key('T');
    EXPECT_EQ(list().directory(), videos());
    EXPECT_EQ(list().itemIndex(), 0);

    key('L');
    actions.clear();
    key('C'); // a file: played
    EXPECT_EQ(actions.calls(), (QStringList{"hide error", "play " + videos() + "/a.avi"}));

    key('Q');
    EXPECT_EQ(form->navigator().activeScreen(), Screen::media_select);
    EXPECT_FALSE(form->marker().isVisible());
}
