#include "log/DriversLogScreen.h"

#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "log/LogPanel.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/ListRowsView.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"
#include "widgets/SkinFont.h"

#include <new>

namespace {
constexpr int EntryPoints = 28;
constexpr int ValuePoints = 22;
constexpr int EntryLeft = 140;
constexpr int EntryWidth = 170;
constexpr int ValueLeft = 316;
// Rows of the menu are 62 pixels apart; row n (1 "Mode" .. 4 "Show Map") is level with
// the pointer's bar, whose top is 62 n + 41 below the panel's top.
constexpr int RowPitch = 62;
constexpr int PointerOffset = 41;

int rowTop(int n, int height) { return RowPitch * n + PointerOffset + 14 - height / 2; }
} // namespace

DriversLogScreen::DriversLogScreen(const ScreenHost &screens, SelectionMarker &marker,
                                   QWidget *parent)
    : QWidget(parent), m_screens(screens), m_marker(marker), m_focus(FocusRing::Ends::Bounded),
      m_main(0xCD, 0xB8, 0x99)
{
    DriversLogPanel = new LogPanel(this);
    DriversLogPanel->setObjectName(QStringLiteral("DriversLogPanel"));
    DriversLogPanel->setGeometry(0, 0, 800, 340);
    buildMenu();

    loglist = new ListRowsView(DriversLogPanel);
    loglist->setObjectName(QStringLiteral("loglist"));
    loglist->setRowHeight(RowHeight);
    // Above the menu: the latest entries, the newest highlighted.
    loglist->setGeometry(10, 4, 780, RowHeight * 3);
    loglist->setFont(SkinFont::pixels(SkinFont::Narrow, 19));

    Panel92 = new PanelButton(NoPlace, this);
    Panel92->setObjectName(QStringLiteral("Panel92"));
    Panel92->setGeometry(0, 344, 800, 35);
    Panel92->setFont(SkinFont::pixels(SkinFont::Narrow, 24, true));

    // Shown once the map exists.
    showPanel(false);
    applyColours(m_main, m_bright);
}

void DriversLogScreen::buildMenu()
{
    auto entry = [this](const char *name, const char *caption, int n) {
        auto *p = new PanelButton(QString::fromLatin1(caption), DriversLogPanel);
        p->setObjectName(QLatin1String(name));
        p->setGeometry(EntryLeft, rowTop(n, 50), EntryWidth, 50);
        p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        p->setIndent(6);
        p->setFont(SkinFont::points(SkinFont::Narrow, EntryPoints));
        return p;
    };
    auto value = [this](const char *name, const QString &caption, int n) {
        auto *p = new PanelButton(caption, DriversLogPanel);
        p->setObjectName(QLatin1String(name));
        p->setGeometry(ValueLeft, rowTop(n, 44), 240, 44);
        p->setFont(SkinFont::points(SkinFont::Narrow, ValuePoints));
        return p;
    };
    Panel90 = entry("Panel90", "Mode", 1);
    Panel89 = entry("Panel89", "Set Time", 2);
    Panel91 = entry("Panel91", "Set km", 3);
    Panel88 = entry("Panel88", "Show Map", 4);
    Panel94 = value("Panel94", QStringLiteral("Mode is PRIVATE"), 1);
    Panel95 = value("Panel95", QStringLiteral("Set Time"), 2);
    Panel97 = value("Panel97", QStringLiteral("0"), 3);
    Panel96 = new ArrowSymbol(ArrowSymbol::Direction::Right, DriversLogPanel);
    Panel96->setObjectName(QStringLiteral("Panel96"));
    Panel96->setGeometry(ValueLeft, rowTop(4, 44), 44, 44);

    m_focus.setEntries({Panel88, Panel91, Panel89, Panel90});
    m_focus.onEnter([this](QWidget *w) { Panel90Enter(w); });
    m_focus.onExit([this](QWidget *w) { Panel90Exit(w); });
}

bool DriversLogScreen::focusShowMap()
{
    if (!m_focus.focus(Panel88))
        return false;
    // Already focused, the entry had its look; the pointer still has to come back.
    UpdateLogPointer();
    return true;
}

void DriversLogScreen::showPanel(bool shown)
{
    DriversLogPanel->setVisible(shown);
    DriversLogPanel->setEnabled(shown);
    if (!shown)
        m_focus.clear();
}

bool DriversLogScreen::addLogLine(const QString &line)
{
    bool kept = m_loglist.size() < LogListCapacity;
    try {
        if (kept)
            m_loglist.append(line);
    } catch (const std::bad_alloc &) {
        kept = false;
    }
    if (!kept)
        m_loglist.clear();
    // The new line at the top as far as the list scrolls: at its end it stays on the
    // last page.
    const int last = int(m_loglist.size()) - 1;
    m_logTop = qMax(0, qMin(last, int(m_loglist.size()) - loglist->visibleRows()));
    refreshList();
    return kept;
}

void DriversLogScreen::clearLog()
{
    m_loglist.clear();
    m_logTop = 0;
    refreshList();
}

void DriversLogScreen::refreshList()
{
    loglist->setRows(m_loglist, m_logTop, int(m_loglist.size()) - 1);
}

PanelButton *DriversLogScreen::valuePanelOf(const QWidget *entry) const
{
    if (entry == Panel90)
        return Panel94;
    if (entry == Panel89)
        return Panel95;
    if (entry == Panel91)
        return Panel97;
    return nullptr;
}

void DriversLogScreen::entryLook(PanelButton *entry, bool focused)
{
    entry->setLook(EntryPoints, focused, false);
    entry->setTextColour(focused ? m_bright : m_main);
    entry->setBackgroundColour(Qt::black);
}

void DriversLogScreen::Panel90Enter(QWidget *w)
{
    auto *entry = static_cast<PanelButton *>(w);
    entryLook(entry, true);
    if (PanelButton *value = valuePanelOf(entry)) {
        value->setTextColour(Qt::black);
        value->setBackgroundColour(m_bright);
    }
    if (entry == Panel88)
        Panel96->setColour(m_bright);
    UpdateLogPointer();
}

void DriversLogScreen::Panel90Exit(QWidget *w)
{
    auto *entry = static_cast<PanelButton *>(w);
    entryLook(entry, false);
    if (PanelButton *value = valuePanelOf(entry)) {
        value->setTextColour(Qt::black);
        value->setBackgroundColour(m_main);
    }
    if (entry == Panel88)
        Panel96->setColour(m_main);
    m_marker.hide();
}

void DriversLogScreen::setEditLook(PanelButton *entry, bool editing)
{
    m_editing.removeAll(entry);
    if (editing)
        m_editing.append(entry);
    entry->setTextColour(editing ? QColor(Qt::black) : m_main);
    entry->setBackgroundColour(editing ? m_main : QColor(Qt::black));
}

int DriversLogScreen::pointerRow() const
{
    if (m_focus.has(Panel88))
        return 4;
    if (m_focus.has(Panel91))
        return 3;
    if (m_focus.has(Panel89))
        return 2;
    if (m_focus.has(Panel90))
        return 1;
    return 0;
}

void DriversLogScreen::UpdateLogPointer()
{
    if (m_screens.activeScreen() != Screen::Log_select) {
        m_marker.hide();
        return;
    }
    static constexpr int Lefts[] = {91, 91, 77, 68, 67};
    const int n = pointerRow();
    QWidget *window = m_marker.Shape1->parentWidget();
    const int panelTop = DriversLogPanel->mapTo(window, QPoint(0, 0)).y();
    QWidget *bar = m_marker.Shape1;
    bar->move(Lefts[n], panelTop + RowPitch * n + PointerOffset);
    QWidget *line = m_marker.Shape2;
    line->setGeometry(bar->x() + bar->width(), bar->y() + bar->height() / 2, 108 - bar->x(),
                      line->height());
    m_marker.Shape3->move(bar->x() + 6, bar->y() + 7);
    if (m_marker.Shape1->isHidden())
        m_marker.show();
    for (QWidget *w : {m_marker.Shape2, m_marker.Shape1, m_marker.Shape3})
        w->raise();
}

void DriversLogScreen::applyColours(const QColor &main, const QColor &bright)
{
    m_main = main;
    m_bright = bright;
    for (PanelButton *entry : {Panel90, Panel89, Panel91, Panel88}) {
        const bool focused = m_focus.has(entry);
        if (m_editing.contains(entry))
            setEditLook(entry, true);
        else
            entryLook(entry, focused);
        if (PanelButton *value = valuePanelOf(entry)) {
            value->setTextColour(Qt::black);
            value->setBackgroundColour(focused ? m_bright : main);
        }
    }
    Panel96->setColour(m_focus.has(Panel88) ? m_bright : main);
    loglist->setColours(main, m_bright);
    Panel92->setTextColour(Qt::black);
    Panel92->setBackgroundColour(main);
}
