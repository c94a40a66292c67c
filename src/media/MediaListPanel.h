#pragma once

#include <QString>

#include <functional>

class ColourScheme;
class ListRowsView;
class SelectionMarker;
class QLabel;
class QWidget;
class TAUDIListbox;

// One media list on its screen: the list, its rows, the position label and the two
// more-entries indicators, with the next and previous moves both lists share.
class MediaListPanel {
public:
    static constexpr int ListLeft = 40;
    static constexpr int ListTop = 7;
    static constexpr int BarTop = 316;
    static constexpr int BarHeight = 63; // to the bottom of the page

    // placeMarker runs after each move; suffix (may be empty) is appended to the position
    // label after a blank.
    MediaListPanel(const QString &mask, const QString &indicatorSuffix, QWidget *page,
                   std::function<void()> placeMarker);

    TAUDIListbox &list() const { return *m_list; }

    // Next / previous entry; at either end the selection stays.
    void next();
    void previous();

    void setPositionSuffix(std::function<QString()> suffix) { m_suffix = std::move(suffix); }
    // "n of count", and the suffix when there is one.
    void showPosition();
    void hideIndicators();
    // The indicators as after a move down (also after a jump or a new directory).
    void showIndicatorsDown();
    void moveList(int left, int top);
    // The entries of path with the first one selected (none in an empty directory), the
    // marker placed and the indicators as after a move down. A directory that can't be
    // entered leaves the entries and the selection as they were.
    void enterDirectory(const QString &path);
    // The list as its screen shows it again: the first entry selected when none is, and
    // the marker placed.
    void showSelection();
    // The marker's bar on the selected row; the marker hides when onScreen is false or no
    // row is selected.
    void pointMarker(SelectionMarker &marker, bool onScreen) const;
    void registerColours(ColourScheme &colours);

    ListRowsView *view = nullptr;
    // The bar along the bottom of the screen, in the main colour; the position label and
    // the screen's own controls sit on it.
    QWidget *BottomBar = nullptr;
    QLabel *PositionLabel = nullptr;
    QLabel *MoreWaitingAbove_indicator = nullptr;
    QLabel *MoreWaitingBelow_indicator = nullptr;

private:
    TAUDIListbox *m_list = nullptr;
    std::function<void()> m_placeMarker;
    std::function<QString()> m_suffix;
};
