#pragma once

#include "app/SettingsHost.h"

#include <QString>

class ColourScheme;
class DriversLog;
class DriversLogScreen;
class MainMenuScreen;
class MediaChoiceScreen;
class Mp3Directory;
class NowPlaying;
class OptionsScreen;
class QWidget;
class RadarScreen;
class VideoListScreen;

// What loading the settings does to the screens outside the options: pictures, the media
// lists, the drivers log's line and odometer, the warning switch and the mouse pointer.
class SettingsEffects : public SettingsHost {
public:
    struct Screens {
        QString programDir; // ends with "/"
        QWidget &window;    // the pointer's shape
        MainMenuScreen &mainScreen;
        MediaChoiceScreen &mediaChoice;
        RadarScreen &radar;
        DriversLogScreen &logScreen;
        DriversLog &logbook;
        Mp3Directory &mp3;
        VideoListScreen &videos;
        NowPlaying &nowPlaying;
        OptionsScreen &options; // the background's thumbnail
        ColourScheme &colours;
    };

    explicit SettingsEffects(Screens screens) : m_s(std::move(screens)) {}

    void loadFixedPictures() override;
    void showMainScreenImage(const QString &path) override;
    void addDriversLogLine(const QString &line) override;
    QString lastDriversLogLine() const override;
    bool pointMediaLists(const QString &mp3Dir, const QString &movieDir) override;
    void changecolors() override;
    void showRadarSystem(bool on) override;
    void showPrivateMode() override;
    void showOdometer(double km) override;
    void showMousePointer(bool shown) override;
    bool loadNowPlayingBackground(const QString &path) override;

private:
    Screens m_s;
};
