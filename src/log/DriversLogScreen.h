#pragma once

#include "widgets/FocusRing.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class ArrowSymbol;
class ListRowsView;
class LogPanel;
class PanelButton;
class ScreenHost;
class SelectionMarker;

// Page 8: the drivers-log menu ("Mode", "Set Time", "Set km", "Show Map") with their
// value panels, the list of this run's entries and the status bar below. The menu and
// the list sit in DriversLogPanel, which shows only once the map exists. The knob's
// focus and its look live here; what the entries do lives in DriversLog.
class DriversLogScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 25; // rows of the entry list
    static inline const QString NoPlace = QStringLiteral("No data on City or Street available");

    DriversLogScreen(const ScreenHost &screens, SelectionMarker &marker, QWidget *parent = nullptr);

    FocusRing &focus() { return m_focus; }
    // "Show Map" takes the focus, with its look and the pointer; false when it can't
    // (the panel is hidden).
    bool focusShowMap();
    // The panel with the menu and the list; hidden it can't take the focus.
    void showPanel(bool shown);

    // The entry list (loglist) holds this many entries at most, days of driving from
    // place to place; every entry stays in the month's file.
    static constexpr qsizetype LogListCapacity = 1024;
    // The entry list (loglist). False when the list had no room for the line: it was
    // then emptied, and the line is not in it.
    bool addLogLine(const QString &line);
    const QStringList &lines() const { return m_loglist; }
    void clearLog();
    int logTopIndex() const { return m_logTop; }

    // The focus look: Panel90Enter on entering an entry, Panel90Exit on leaving it.
    void Panel90Enter(QWidget *entry);
    void Panel90Exit(QWidget *entry);
    // The pointer shapes at the focused entry while this page shows.
    void UpdateLogPointer();
    // "Set km" and "Set Time" in and out of their edit mode.
    void setEditLook(PanelButton *entry, bool editing);
    // The colour pass: every element in its present look with the new main colour.
    // bright: the focused entry's colour, white by day.
    void applyColours(const QColor &main, const QColor &bright);

    LogPanel *DriversLogPanel = nullptr;
    PanelButton *Panel90 = nullptr; // "Mode"
    PanelButton *Panel89 = nullptr; // "Set Time"
    PanelButton *Panel91 = nullptr; // "Set km"
    PanelButton *Panel88 = nullptr; // "Show Map"
    PanelButton *Panel94 = nullptr; // mode text
    PanelButton *Panel95 = nullptr; // clock text
    PanelButton *Panel97 = nullptr; // odometer text
    ArrowSymbol *Panel96 = nullptr; // arrow beside "Show Map"
    ListRowsView *loglist = nullptr;
    PanelButton *Panel92 = nullptr; // status bar: the place, or why there is none

private:
    void buildMenu();
    PanelButton *valuePanelOf(const QWidget *entry) const;
    // 1 "Mode" .. 4 "Show Map", 0 when none has the focus.
    int pointerRow() const;
    void refreshList();
    void entryLook(PanelButton *entry, bool focused);

    const ScreenHost &m_screens;
    SelectionMarker &m_marker;
    FocusRing m_focus;
    QStringList m_loglist;
    int m_logTop = 0;
    QColor m_main;
    QColor m_bright = Qt::white;
    QList<PanelButton *> m_editing;
};
