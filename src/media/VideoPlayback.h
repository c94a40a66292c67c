#pragma once

#include "core/KeyContext.h"
#include "media/VideoListActions.h"
#include "platform/VideoPlayer.h"

#include <QObject>
#include <QRect>
#include <QTimer>

class ColourScheme;
class MovieOptionsPanel;
class PanelButton;
class QLabel;
class QSlider;
class ScreenHost;
class SoundPlayer;
class VideoListScreen;

// The video player's screens: playing a film from the video list, the movie panel
// windowed or over the whole window, the options panel, the progress overlay after a
// skip, the error panel, and the way back from the media choice to a film still playing.
// Also the knob's keys while a film shows (skips, options, back to the main menu).
class VideoPlayback : public QObject, public VideoListActions, public KeyContext {
    Q_OBJECT
public:
    static constexpr int OptionsHideMs = 15000;
    static constexpr int OverlayHideMs = 8000;
    static constexpr int ErrorHideMs = 10000;
    static constexpr QRect WindowedPanel{0, 144, 800, 398};

    // What playback needs of the window.
    struct Window {
        ScreenHost &screens;
        SoundPlayer &sound;
        VideoPlayer &player;
        QString programDir; // ends with "/"
        QWidget *window;    // parent of the movie, options and error panels
        QRect pageArea;     // where the screens lie in the window
        QWidget *cpuBar;
        VideoListScreen &list;
        QSlider *brightnessKnob;
        QLabel *brightnessLabel;
    };

    explicit VideoPlayback(Window window, QObject *parent = nullptr);

    // Text of a film's length: whole minutes and the seconds left, two digits at least.
    static QString totalTimeText(double seconds);
    // The time field: " mm:ss.." and the length's text.
    static QString positionText(double seconds, const QString &total);

    // The video list's calls.
    QString ReadVideoType(const QString &path) override;
    void HideErrorPanel() override;
    void PlayVideoFile(const QString &path) override;

    // The movie panel's layouts. HideVideo hides only the picture: the film goes on.
    void ShowVideoWindowed();
    void ShowVideoFullScreen();
    void HideVideo();

    // Keys while the film shows and its options panel is hidden.
    void commandKey(quint16 key) override;
    // Forward (+1) or back (-1) by length / divisor, within the film; shows the overlay.
    void skip(int direction, int divisor);

    void Button19Click();                        // open the options panel
    void MovieOptionsPanelDisappearTimerTimer(); // options hide
    void Movie_progress_onstage_timerTimer();    // overlay hide
    void VideErrorPanelDisappearTimerTimer();    // error panel hide
    void Panel30Click();                         // Main
    void Panel27Click();                         // Show
    void MediaLabelClick();                      // the "Media" label
    void Panel26Click();                         // Pause / Resume
    void Panel25Click();                         // Stop
    void Panel28Click();                         // Full / Normal
    void Panel87Click();                         // "Video" on the media choice

    void ActiveMovie1OpenStateChange(VideoPlayer::OpenState state);
    void ActiveMovie1PositionChange(double seconds);
    void ActiveMovie1Error(int code, const QString &message);

    void registerColours(ColourScheme &colours);

    bool videoPlaying() const { return m_playing; }
    bool videoPaused() const { return m_paused; }
    QString totalTime() const { return m_totalTime; }

    QWidget *moviePanel() const { return m_moviePanel; }
    MovieOptionsPanel *optionsPanel() const { return m_options; }
    QLabel *Movie_progress_onstage = nullptr;
    QWidget *VideErrorPanel = nullptr;
    QLabel *VideoErrorLabel = nullptr;
    QTimer MovieOptionsPanelDisappearTimer;
    QTimer Movie_progress_onstage_timer;
    QTimer VideErrorPanelDisappearTimer;

private:
    void buildOverlay();
    void buildErrorPanel();
    void showOverlay();
    void raisePanels();
    // Stop and the error: the film closed, its panels gone, back to the video list.
    void endFilm();
    void playSound(const QString &name);

    ScreenHost &m_screens;
    SoundPlayer &m_sound;
    VideoPlayer &m_player;
    QString m_programDir;
    QWidget *m_window;
    QRect m_pageArea;
    QWidget *m_cpuBar;
    VideoListScreen &m_list;
    QWidget *m_moviePanel = nullptr;
    MovieOptionsPanel *m_options = nullptr;

    bool m_playing = false;
    bool m_paused = false;
    QString m_totalTime;
};
