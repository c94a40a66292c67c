#include "widgets/FocusRing.h"
#include "core/CommandKey.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Three entries on a bounded ring, with what C activated recorded.
struct Menu {
    QWidget first, second, third;
    FocusRing focus;
    QList<QWidget *> activated;

    Menu() { focus.setEntries({&first, &second, &third}); }
    void key(quint16 k)
    {
        focus.commandKey(k, [this](QWidget *w) { activated.append(w); });
    }
};

} // namespace

TEST(FocusRing, RAndLMoveTheFocusAndStopAtTheEnds)
{
    Menu m;
    m.focus.focus(&m.first);
    m.key(CommandKey::R);
    EXPECT_TRUE(m.focus.has(&m.second));
    m.key(CommandKey::R);
    m.key(CommandKey::R);
    EXPECT_TRUE(m.focus.has(&m.third));
    m.key(CommandKey::L);
    EXPECT_TRUE(m.focus.has(&m.second));
    EXPECT_TRUE(m.activated.isEmpty());
}

TEST(FocusRing, CActivatesTheFocusedEntryOnly)
{
    Menu m;
    m.key(CommandKey::C);
    EXPECT_TRUE(m.activated.isEmpty()) << "nothing focused, nothing to activate";
    m.focus.focus(&m.third);
    m.key(CommandKey::C);
    ASSERT_EQ(m.activated.size(), 1);
    EXPECT_EQ(m.activated.front(), &m.third);
}

TEST(FocusRing, OtherKeysLeaveTheFocus)
{
    Menu m;
    m.focus.focus(&m.second);
    for (quint16 k : {CommandKey::Q, CommandKey::T, CommandKey::Z, quint16(0)})
        m.key(k);
    EXPECT_TRUE(m.focus.has(&m.second));
    EXPECT_TRUE(m.activated.isEmpty());
}
