#pragma once

#include "app/Configuration.h"
#include "app/GpsWiring.h"
#include "app/ScreenActions.h"
#include "app/Services.h"
#include "app/SettingsEffects.h"
#include "core/ColourScheme.h"
#include "core/Dispatcher.h"
#include "core/Navigator.h"
#include "core/SettingsModel.h"
#include "core/SharedValues.h"
#include "core/TraceSink.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class BrightnessControl;
class CameraWarning;
class RadarWarningView;
class Can2ComLink;
class ColourChoice;
class DayNight;
class DriversLog;
class DriversLogKeys;
class DriversLogScreen;
class ExitSequence;
class ForegroundKeeper;
class GpsReception;
class GpsWatchdog;
class LinkPort;
class MainMenuBar;
class MainMenuKeys;
class MainMenuScreen;
class MapScreen;
class MediaChoiceScreen;
class OdometerCheckpoints;
class Mp3Directory;
class NowPlaying;
class OptionsKeys;
class OptionsPickers;
class OptionsScreen;
class PoiKeys;
class QStackedWidget;
class RadarScreen;
class SelectionMarker;
class StatusClock;
class StatusLine;
class TopBar;
class VideoListScreen;
class VideoPlayback;
class WindowInput;

// The one borderless 800 x 600 window. It owns the controls and the subsystems, wires
// them together and runs start-up; the logic lives in the subsystems and in the app's
// wiring classes (GpsWiring, SettingsEffects, ScreenActions, WindowInput).
class TForm1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int TopBarHeight = 80;
    static constexpr int MenuBarHeight = 66;
    static constexpr int StatusHeight = 75;
    static constexpr int PageTop = TopBarHeight + MenuBarHeight;
    static constexpr int PageHeight = 600 - PageTop - StatusHeight;

    // programDir ends with "/": the executable's directory in production, any directory
    // in tests. Every platform service the caller must give is required (see Services):
    // without one the window is not made.
    TForm1(const QString &programDir, Services services, QWidget *parent = nullptr);
    ~TForm1() override;

    QString programDir() const { return m_programDir; }

    // The screens, their titles and the ways between them.
    Navigator &navigator() { return m_navigator; }

    // Main-menu operations
    void ComandPanelTopRightClick() { m_actions->ComandPanelTopRightClick(); }     // Drivers log
    void ComandPanelBottomLeftClick() { m_actions->ComandPanelBottomLeftClick(); } // POI
    void Main4Click() { m_actions->Main4Click(); }                                 // Options
    // The options screen
    void BitBtn1Click() { m_actions->BitBtn1Click(); }   // back from the options with a save
    void Button21Click() { m_actions->Button21Click(); } // next main screen image
    void Button22Click() { m_actions->Button22Click(); } // previous main screen image
    void Image1Click() { m_actions->Image1Click(); }

    void changecolors() { m_colours.changecolors(); }
    void showMousePointer(bool shown) { m_effects->showMousePointer(shown); }
    SettingsEffects &settingsEffects() const { return *m_effects; }
    SerialPortControl &can2comPort() { return *m_services.can2comPort; }
    SerialPortControl &gpsPort() { return *m_services.gpsPort; }
    SoundPlayer &sound() { return *m_services.sound; }
    AudioPlayer &audio() { return *m_services.audio; }
    MapComponent &map() { return *m_services.map; }

    Dispatcher &dispatcher() { return m_dispatcher; }
    Configuration &configuration() { return *m_configuration; }
    SettingsModel &settings() { return m_settings; }
    ColourScheme &colours() { return m_colours; }
    SharedValues &shared() { return m_shared; }
    OptionsScreen *options() const { return m_options; }
    MainMenuBar *mainMenu() const { return m_mainMenu; }
    MainMenuScreen *mainMenuScreen() const { return m_mainScreen; }
    MediaChoiceScreen *mediaChoice() const { return m_mediaChoice; }
    StatusLine *statusLine() const { return m_status; }
    TopBar *topBar() const { return m_topBar; }
    PoiKeys *poiKeys() const { return m_poiKeys.get(); }
    RadarScreen *radar() const { return m_radar; }
    GpsReception *gps() const { return &m_gps->reception(); }
    CameraWarning *cameraWarning() const { return &m_gps->cameras(); }
    GpsWatchdog *gpsWatchdog() const { return &m_gps->watchdog(); }
    Mp3Directory *mp3Directory() const { return m_mp3Directory; }
    NowPlaying *nowPlaying() const { return m_nowPlaying; }
    VideoListScreen *videoList() const { return m_videoList; }
    VideoPlayback *video() const { return m_video; }
    SelectionMarker &marker() const { return *m_marker; }
    StatusClock *statusClock() const { return m_clock.get(); }
    ExitSequence *exitSequence() const { return m_exit.get(); }
    BrightnessControl *brightness() const { return m_brightness.get(); }
    ColourChoice *colourChoice() const { return m_colourChoice.get(); }
    QWidget *page(int index) const { return m_pages[size_t(index)]; }
    QStackedWidget *pageControl() const { return m_MP3Control; }
    const QStringList &driversLog() const;
    DriversLogScreen *driversLogScreen() const { return m_driversLogScreen; }
    DriversLog *logbook() const { return m_logbook.get(); }
    DriversLogKeys *driversLogKeys() const { return m_driversLogKeys.get(); }
    MapScreen *mapScreen() const { return m_mapScreen; }
    SystemClock &systemClock() { return *m_services.clock; }
    // The CAN trace that the CAN link and the drivers log write to.
    TraceSink &trace() { return *m_trace; }
    Can2ComLink *canLink() const { return m_can.get(); }
    DayNight *dayNight() const { return m_dayNight.get(); }
    ForegroundKeeper &foregroundKeeper() const { return *m_foreground; }

private:
    void buildWindow();
    void buildPages();
    void buildDriversLogScreens();
    void buildLogbook();
    void registerColours();
    void buildCan();
    void wireDayNight();
    void wireGps();
    void wireSettings();
    void wireKeys();
    void wireShell();

    QString m_programDir;
    Services m_services;
    SharedValues m_shared;
    SettingsModel m_settings;
    ColourScheme m_colours;
    Navigator m_navigator;
    Dispatcher m_dispatcher;

    TopBar *m_topBar = nullptr;
    MainMenuBar *m_mainMenu = nullptr;
    QStackedWidget *m_MP3Control = nullptr;
    std::array<QWidget *, 10> m_pages{};
    StatusLine *m_status = nullptr;
    MainMenuScreen *m_mainScreen = nullptr;
    OptionsScreen *m_options = nullptr;
    MediaChoiceScreen *m_mediaChoice = nullptr;
    std::unique_ptr<SelectionMarker> m_marker;
    Mp3Directory *m_mp3Directory = nullptr;
    NowPlaying *m_nowPlaying = nullptr;
    VideoListScreen *m_videoList = nullptr;
    VideoPlayback *m_video = nullptr;
    DriversLogScreen *m_driversLogScreen = nullptr;
    MapScreen *m_mapScreen = nullptr;
    RadarScreen *m_radar = nullptr;

    std::unique_ptr<GpsWiring> m_gps; // the position source: made before its subscribers
    std::unique_ptr<SettingsEffects> m_effects;
    std::unique_ptr<Configuration> m_configuration;
    std::unique_ptr<LinkPort> m_can2comLink; // opens before the GPS port, as it always has
    std::unique_ptr<LinkPort> m_gpsLink;
    std::unique_ptr<MainMenuKeys> m_mainMenuKeys;
    std::unique_ptr<OptionsKeys> m_optionsKeys;
    std::unique_ptr<PoiKeys> m_poiKeys;
    std::unique_ptr<StatusClock> m_clock;
    std::unique_ptr<ExitSequence> m_exit;
    std::unique_ptr<BrightnessControl> m_brightness;
    std::unique_ptr<ColourChoice> m_colourChoice;
    std::unique_ptr<OptionsPickers> m_pickers;
    std::unique_ptr<ScreenActions> m_actions;
    std::unique_ptr<DriversLog> m_logbook;
    std::unique_ptr<DriversLogKeys> m_driversLogKeys;
    std::unique_ptr<OdometerCheckpoints> m_checkpoints; // from the loaded odometer on

    std::unique_ptr<TraceSink> m_trace;
    std::unique_ptr<Can2ComLink> m_can; // writes to m_trace: goes first
    std::unique_ptr<ForegroundKeeper> m_foreground;
    std::unique_ptr<DayNight> m_dayNight; // from the loaded settings on
    std::unique_ptr<WindowInput> m_input;
};
