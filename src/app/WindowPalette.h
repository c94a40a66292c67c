#pragma once

#include <QPalette>

// Black everywhere, light text: the palette the window gives every screen's controls.
class WindowPalette {
public:
    static QPalette dark(QPalette base);
};
