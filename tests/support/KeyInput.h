#pragma once

#include <Qt>

class QWidget;

// Real key and wheel events delivered to a window the way the window system delivers
// them: to the window first, then to the focused control.
class KeyInput {
public:
    static void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // R = 'R' and so on: a command key by its letter.
    static void press(QWidget *window, char letter);
    // One notch; down is away from the user.
    static void wheel(QWidget *window, bool down);
};
