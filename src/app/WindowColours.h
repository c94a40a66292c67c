#pragma once

class ColourScheme;
class DriversLogScreen;
class MainMenuBar;
class MainMenuScreen;
class MapScreen;
class MediaChoiceScreen;
class Mp3Directory;
class NowPlaying;
class OptionsScreen;
class RadarScreen;
class SelectionMarker;
class StatusLine;
class TopBar;
class VideoListScreen;
class VideoPlayback;
class QWidget;

// Every element of the window in the colour pass, once, with the purpose it serves: the
// bars, the status line, each screen's own elements, and the photographs, which keep less
// of their light by night.
class WindowColours {
public:
    struct Parts {
        QWidget &window;
        MainMenuBar &menu;
        TopBar &top;
        StatusLine &status;
        MainMenuScreen &main;
        MediaChoiceScreen &mediaChoice;
        SelectionMarker &marker;
        Mp3Directory &mp3;
        NowPlaying &nowPlaying;
        VideoListScreen &videoList;
        VideoPlayback &video;
        RadarScreen &radar;
        OptionsScreen &options;
        DriversLogScreen &log;
        MapScreen &map;
    };

    static void registerAll(ColourScheme &colours, const Parts &parts);
};
