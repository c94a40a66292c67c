#include "media/DirActionMenu.h"

#include "core/ColourScheme.h"
#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

namespace {
constexpr int Points = 24;
constexpr PanelButton::FocusFont FocusLook{Points, Points, false};
} // namespace

DirActionMenu::DirActionMenu(Actions actions, QWidget *parent)
    : QWidget(parent), m_actions(std::move(actions)), m_focus(FocusRing::Ends::Bounded)
{
    setObjectName(QStringLiteral("DirActionPanel"));
    resize(640, 84);
    Panel35 = new PanelButton(QStringLiteral("Select"), this);
    Panel22 = new PanelButton(QStringLiteral("\u2191"), this);
    Panel51 = new PanelButton(QStringLiteral("Go to..."), this);
    Panel40 = new PanelButton(QStringLiteral("Random"), this);
    Panel14 = new PanelButton(QStringLiteral("\u2715"), this);
    const QList<PanelButton *> row{Panel35, Panel22, Panel51, Panel40, Panel14};
    const int widths[] = {150, 80, 170, 150, 80};
    int x = 5;
    for (int i = 0; i < row.size(); ++i) {
        PanelButton *b = row[i];
        const bool symbol = b == Panel22 || b == Panel14;
        b->setFont(SkinFont::points(symbol ? SkinFont::Sans : SkinFont::Narrow, Points));
        b->setGeometry(x, 7, widths[i], 70);
        x += widths[i];
        connect(b, &PanelButton::clicked, this, [this, b] { activate(b); });
    }
    m_focus.setEntries({Panel35, Panel22, Panel51, Panel40, Panel14});
    // The focus look: white and bold; the others black and regular.
    m_focus.onEnter(
        [](QWidget *w) { static_cast<PanelButton *>(w)->showFocus(true, Qt::black, FocusLook); });
    m_focus.onExit(
        [](QWidget *w) { static_cast<PanelButton *>(w)->showFocus(false, Qt::black, FocusLook); });
    hide();
}

void DirActionMenu::open()
{
    show();
    raise();
    m_focus.focus(Panel35);
}

void DirActionMenu::close()
{
    m_focus.clear();
    hide();
}

void DirActionMenu::activate(QWidget *entry)
{
    const std::function<void()> *action = nullptr;
    if (entry == Panel35)
        action = &m_actions.select;
    else if (entry == Panel22)
        action = &m_actions.up;
    else if (entry == Panel51)
        action = &m_actions.goTo;
    else if (entry == Panel40)
        action = &m_actions.random;
    else if (entry == Panel14)
        action = &m_actions.close;
    if (action && *action)
        (*action)();
}

void DirActionMenu::commandKey(quint16 key)
{
    if (!m_focus.current())
        m_focus.focus(Panel35);
    m_focus.commandKey(key, [this](QWidget *entry) { activate(entry); });
}

void DirActionMenu::registerColours(ColourScheme &colours)
{
    colours.add(this, ColourScheme::Role::AccentBackground);
    colours.add([this](const QColor &) {
        for (QWidget *w : {Panel35, Panel22, Panel51, Panel40, Panel14})
            static_cast<PanelButton *>(w)->showFocus(m_focus.has(w), Qt::black);
    });
}
