#pragma once

#include "core/KeyContext.h"
#include "widgets/FocusRing.h"

#include <QWidget>

#include <functional>

class ColourScheme;
class PanelButton;
class QLabel;
class QSlider;
class VideoPlayer;

// The video options panel (MovieOptionsPanel) along the bottom of the window: the film's
// name, codec and time, and the ring of entries Main, Show, Pause, Stop, Height, Zoom,
// Lumi, Full. The knob walks the ring in both directions without end. Zoom and Lumi are
// edit modes: while one is on, the knob changes the picture's zoom or the brightness.
class MovieOptionsPanel : public QWidget, public KeyContext {
    Q_OBJECT
public:
    static constexpr int Height = 150;
    static constexpr int ZoomStep = 10;
    static constexpr int BrightnessStep = 8;

    struct Actions {
        std::function<void()> main;  // Panel30Click
        std::function<void()> show;  // Panel27Click
        std::function<void()> pause; // Panel26Click
        std::function<void()> stop;  // Panel25Click
        std::function<void()> full;  // Panel28Click
        // A focus change restarts the panel's hide timer.
        std::function<void()> restartHideTimer;
        // The "Media" label: the media choice.
        std::function<void()> media;
    };
    // The brightness knob of the options screen and the label that names its value.
    struct Brightness {
        QSlider *knob = nullptr;
        QLabel *label = nullptr;
    };

    MovieOptionsPanel(VideoPlayer &player, Brightness brightness, Actions actions,
                      QWidget *parent = nullptr);

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

    bool zoomEdit() const { return m_zoomEdit; }
    bool lumiEdit() const { return m_lumiEdit; }
    // Ends the zoom edit: the Zoom entry's text turns black.
    void endZoomEdit();
    // Focus to "Show".
    void focusShow();

    FocusRing &focus() { return m_focus; }
    PanelButton *Panel30 = nullptr; // Main
    PanelButton *Panel27 = nullptr; // Show
    PanelButton *Panel26 = nullptr; // Pause / Resume
    PanelButton *Panel25 = nullptr; // Stop
    PanelButton *HeightPanel = nullptr;
    PanelButton *ZoomPanel = nullptr;
    PanelButton *LumiPanel = nullptr;
    PanelButton *Panel28 = nullptr; // Full / Normal
    PanelButton *MovieName = nullptr;
    PanelButton *MediaLabel = nullptr;
    PanelButton *MovieTime = nullptr;
    QLabel *MovieCodec = nullptr;
    QLabel *DivXLogo = nullptr;
    QLabel *XviDLogo = nullptr;

private:
    void buildFields();
    void buildRing();
    void activate(QWidget *entry);
    void step(int direction);
    void toggleZoomEdit();
    void toggleLumiEdit();

    VideoPlayer &m_player;
    Brightness m_brightness;
    Actions m_actions;
    FocusRing m_focus;
    bool m_zoomEdit = false;
    bool m_lumiEdit = false;
};
