#pragma once

#include <QWidget>

class ColourScheme;
class LevelBar;
class Mp3OptionsPanel;
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
};
