#pragma once

#include <QPoint>

// Where the selection marker's bar goes for a row of a media list. The rows lie on an
// arc, so each visible row has its own left edge. Coordinates are the window's.
class MarkerPlacement {
public:
    // Top of the screen area the marker offsets are counted from: it puts the bar level
    // with the middle of a list row (page area at 146, list at 7 on its page).
    static constexpr int ScreenAreaTop = 43;

    // The bar for visible row r (0 = top visible row); a row without an arc position
    // keeps currentLeft.
    static QPoint listBar(int row, int currentLeft);
};
