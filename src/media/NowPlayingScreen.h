#pragma once

#include <QList>
#include <QWidget>

class ColourScheme;
class LevelBar;
class Mp3OptionsPanel;
class PanelButton;
class PictureView;
class QLabel;
class ScreenHost;
class ScrollingText;
class SelectionMarker;
class StatusSymbol;

// The controls of the now-playing screen (MP3Album): cover picture, title, artist, bit
// rate, the scrolling path, play-state symbol, time and progress, the options panel and
// the information panel of the favourites. NowPlaying drives them.
class NowPlayingScreen : public QWidget {
    Q_OBJECT
public:
    NowPlayingScreen(ScreenHost &screens, SelectionMarker &marker, QWidget *parent = nullptr);

    void registerColours(ColourScheme &colours);

    PictureView *PlayMP3Image = nullptr;
    QLabel *MP3Title = nullptr;
    QLabel *MP3Artist = nullptr;
    QLabel *MP3BitRate = nullptr;
    ScrollingText *MP3_scroller = nullptr;
    StatusSymbol *Mp3StatusIndicator = nullptr;
    QLabel *MP3TimeLabel = nullptr;
    LevelBar *MP3ProgressBar = nullptr;
    Mp3OptionsPanel *MP3OptionsPanel = nullptr;
    QWidget *InfoPanel = nullptr;
    QLabel *InfoMessage = nullptr;

    // The mouse targets, shown only while the mouse is enabled: previous track, back
    // 10 s, forward 10 s, next track, the options panel and the MP3 list.
    PanelButton *PreviousTarget = nullptr;
    PanelButton *BackTarget = nullptr;
    PanelButton *ForwardTarget = nullptr;
    PanelButton *NextTarget = nullptr;
    PanelButton *OptionsTarget = nullptr;
    PanelButton *ListTarget = nullptr;
    void showMouseTargets(bool shown);

private:
    QList<PanelButton *> m_mouseTargets;
};
