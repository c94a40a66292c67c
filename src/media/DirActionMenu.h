#pragma once

#include "core/KeyContext.h"
#include "widgets/FocusRing.h"

#include <QWidget>

#include <functional>

class ColourScheme;
class PanelButton;

// The action menu under the MP3 list (DirActionPanel): "Select", up, "Go to...", "Random"
// and close in a row. The knob walks them without wrapping; C runs the focused one.
class DirActionMenu : public QWidget, public KeyContext {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> select; // Panel35Click
        std::function<void()> up;     // Panel22Click
        std::function<void()> goTo;   // Panel51Click
        std::function<void()> random; // Panel40Click
        std::function<void()> close;  // Panel14Click
    };

    DirActionMenu(Actions actions, QWidget *parent = nullptr);

    // Shows the menu with the focus on "Select".
    void open();
    // Hides the menu; its focus goes with it.
    void close();

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

    FocusRing &focus() { return m_focus; }
    PanelButton *Panel35 = nullptr; // "Select"
    PanelButton *Panel22 = nullptr; // up
    PanelButton *Panel51 = nullptr; // "Go to..."
    PanelButton *Panel40 = nullptr; // "Random"
    PanelButton *Panel14 = nullptr; // close

private:
    void activate(QWidget *entry);

    Actions m_actions;
    FocusRing m_focus;
};
