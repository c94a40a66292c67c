#pragma once

#include <QColor>
#include <QPalette>

// Black everywhere, light text: the palette the window gives every screen's controls.
// text: white by day, the night palette's dim text by night; by night the greys of fields
// and buttons darken too, so that no large area stays bright.
class WindowPalette {
public:
    static QPalette dark(QPalette base, const QColor &text = Qt::white, bool night = false);
};
