#pragma once

#include "core/KeyContext.h"
#include "widgets/FocusRing.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class ColourScheme;
class PanelButton;
class ScreenHost;
class SelectionMarker;

// The options panel of the now-playing screen (MP3OptionsPanel): 521 x 313 at the top-left
// of the page, clear of the time and the progress bar below it, with nine buttons in rows
// 34 pixels apart. The knob walks them from the random switch at the bottom up to
// "Directory" at the top without wrapping; the selection marker points at the focused
// row. The panel hides itself 8 s after the last activity on it.
class Mp3OptionsPanel : public QWidget, public KeyContext {
    Q_OBJECT
public:
    static constexpr int HideMs = 8000;
    static constexpr int Width = 521;
    static constexpr int Height = 313;
    static constexpr int Rows = 9;
    static constexpr int FirstRowTop = 3;
    static constexpr int RowSpacing = 34;
    static constexpr int FocusPoints = 27;
    static constexpr int Points = 24;
    static inline const QString PauseText = QStringLiteral("Pause");
    static inline const QString ResumeText = QStringLiteral("Resume");
    static inline const QString RandomOn = QStringLiteral("Rnd is On");
    static inline const QString RandomOff = QStringLiteral("Rnd is Off");

    struct Actions {
        std::function<void()> directory; // Panel11Click
        std::function<void()> mainMenu;  // Panel19Click
        std::function<void()> pause;     // Panel2Click
        std::function<void()> next;      // Panel12Click
        std::function<void()> previous;  // Panel13Click
        std::function<void()> copy;      // Panel3Click
        std::function<void()> stop;      // Panel4Click
        std::function<void()> random;    // Panel20Click
    };

    Mp3OptionsPanel(ScreenHost &screens, SelectionMarker &marker, QWidget *parent = nullptr);
    void setActions(Actions actions) { m_actions = std::move(actions); }

    // Key C on the now-playing screen: the panel and the marker show, "Return" has the
    // focus, and the auto-hide count starts again.
    void open();
    // "Return" (Panel9Click): the panel and the marker hide.
    void Panel9Click();
    // Hides the panel alone (the action menu of the list takes over the marker).
    void close();
    void MP3OptionsPanelDisappearTimerTimer();
    void restartHideTimer();
    // After "Random" in the list: the switch can take the focus and reads "Rnd is On".
    void enableRandomToggle();
    QTimer &MP3OptionsPanelDisappearTimer() { return m_hideTimer; }

    // The focus look and the marker of a focused row; leaving restores the look.
    void Panel2Enter(QWidget *button);
    void Panel2Exit(QWidget *button);

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

    // The row of a button, 0 at the top; -1 for none.
    int rowOf(const QWidget *button) const;
    // Where the marker's bar goes for a row, in the window's coordinates.
    static QPoint markerBar(int row);

    FocusRing &focus() { return m_focus; }
    PanelButton *Panel11 = nullptr; // row 0 "Directory"
    PanelButton *Panel19 = nullptr; // row 1 "Main Menue"
    PanelButton *Panel9 = nullptr;  // row 2 "Return"
    PanelButton *Panel2 = nullptr;  // row 3 "Pause" / "Resume"
    PanelButton *Panel12 = nullptr; // row 4 "Next MP3 >"
    PanelButton *Panel13 = nullptr; // row 5 "< Previous  MP3"
    PanelButton *Panel3 = nullptr;  // row 6 "Copy to Favourites"
    PanelButton *Panel4 = nullptr;  // row 7 "Stop MP3"
    PanelButton *Panel20 = nullptr; // row 8 random switch, disabled until "Random" is used

private:
    void activate(QWidget *button);
    // Text in the main colour; a disabled button dimmed.
    void restLook(PanelButton *button);

    ScreenHost &m_screens;
    SelectionMarker &m_marker;
    Actions m_actions;
    FocusRing m_focus;
    QTimer m_hideTimer;
    QWidget *m_face = nullptr;
    QColor m_main = Qt::white;
    QList<PanelButton *> m_rows;
};
