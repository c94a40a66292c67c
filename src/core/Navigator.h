#pragma once

#include "core/KeyOwner.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

// The screens and the ways between them. One table says, for every screen, its title
// after a speed-camera alert, which class takes its keys and which overlays it has; the
// navigator keeps the screen showing and the title, and every subsystem asks it for a
// change of screen. The window only follows its signals.
class Navigator : public QObject, public ScreenHost {
    Q_OBJECT
public:
    struct OverlayKeys {
        Overlay overlay;
        KeyOwner keys; // who takes the keys while the overlay shows
    };
    struct Entry {
        Screen::Index index;
        const char *name;    // the page's object name
        QString alertTitle;  // the title after an alert returned here; empty: it stays
        KeyOwner keys;       // who takes the keys on this screen
        std::vector<OverlayKeys> overlays; // the first one showing takes the keys
    };
    static const std::array<Entry, Screen::Count> &table();

    explicit Navigator(QObject *parent = nullptr);

    // ScreenHost
    int activeScreen() const override { return m_screen; }
    void showScreen(int index) override;
    void setTitle(const QString &title) override;
    QString title() const override { return m_title; }
    void Button5Click() override;
    void ComandPanelTopLeftClick() override;
    void returnAfterAlert(int index) override;

    // The panel of an overlay: it counts as showing while the panel is not hidden.
    void setOverlayPanel(Overlay overlay, QWidget *panel);
    bool overlayShown(Overlay overlay) const;
    // Who takes the command keys now: the movie options panel over every screen, then
    // the active screen's first overlay showing, then the screen itself.
    KeyOwner keyOwner() const;

    // Steps run when the given screen is shown (also when it shows already).
    void onEnter(int index, std::function<void()> step);
    // Steps run before the main menu shows through Button5Click (a film leaves the screen).
    void onBackToMain(std::function<void()> step);
    // Steps run when an alert returns to the given screen (a film comes back).
    void onReturnAfterAlert(int index, std::function<void()> step);

signals:
    // Every screen change, also to the screen already showing.
    void screenShown(int index);
    void titleChanged(const QString &title);

private:
    using Steps = std::vector<std::function<void()>>;
    static void run(const Steps &steps);

    int m_screen = Screen::MP3Start;
    QString m_title;
    std::array<QPointer<QWidget>, size_t(Overlay::Count)> m_overlays{};
    std::array<Steps, Screen::Count> m_enter;
    std::array<Steps, Screen::Count> m_return;
    Steps m_backToMain;
};
