#pragma once

#include <QString>

// What every screen owner needs of the navigator: the screen showing, the title and the
// common ways back.
class ScreenHost {
public:
    virtual ~ScreenHost() = default;

    virtual int activeScreen() const = 0;
    // Shows a page; every screen change hides the selection marker.
    virtual void showScreen(int index) = 0;
    virtual void setTitle(const QString &title) = 0;
    virtual QString title() const = 0;

    // Back to the main menu.
    virtual void Button5Click() = 0;
    // The media choice.
    virtual void ComandPanelTopLeftClick() = 0;
    // Back from a speed-camera alert to the screen it interrupted, with that screen's title.
    virtual void returnAfterAlert(int index) = 0;
};
