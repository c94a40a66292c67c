#pragma once

#include "app/Configuration.h"
#include "app/MainImageChooser.h"
#include "app/Services.h"
#include "app/SettingsHost.h"
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

// The one borderless 800 x 600 window. It owns the controls and the subsystems, wires
// them together and runs start-up; the logic lives in the subsystems.
class TForm1 : public QWidget, public SettingsHost {
    Q_OBJECT
public:
    static constexpr int TopBarHeight = 80;
    static constexpr int MenuBarHeight = 66;
    static constexpr int StatusHeight = 75;
    static constexpr int PageTop = TopBarHeight + MenuBarHeight;
    static constexpr int PageHeight = 600 - PageTop - StatusHeight;

    // programDir ends with "/": the executable's directory in production, any directory
    // in tests.
    explicit TForm1(const QString &programDir, Services services = {}, QWidget *parent = nullptr);
    ~TForm1() override;

    QString programDir() const { return m_programDir; }

    // The screens, their titles and the ways between them.
    Navigator &navigator() { return m_navigator; }

    // Main-menu operations
    void ComandPanelTopRightClick();   // Drivers log
    void ComandPanelBottomLeftClick(); // POI
    void Main4Click();                 // Options
    // The options screen
    void BitBtn1Click();  // back from the options with a save
    void Button21Click(); // next main screen image
    void Button22Click(); // previous main screen image
    void Image1Click();

    // SettingsHost
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
    SerialPortControl &can2comPort() { return *m_services.can2comPort; }
    SerialPortControl &gpsPort() { return *m_services.gpsPort; }
    SoundPlayer &sound() { return *m_services.sound; }
    AudioPlayer &audio() { return *m_services.audio; }
    MapComponent &map() { return *m_services.map; }
    bool loadNowPlayingBackground(const QString &path) override;

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
    GpsReception *gps() const { return m_gps.get(); }
    CameraWarning *cameraWarning() const { return m_cameras.get(); }
    GpsWatchdog *gpsWatchdog() const { return m_gpsWatchdog.get(); }
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
    ForegroundKeeper &foregroundKeeper() const { return *m_foreground; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildPages();
    void buildDriversLog();
    void registerColours();
    void buildCan();
    void wireKeys();
    void wireShell();
    void makeGpsReception();
    void wireGps();
    // After each GPS chunk while the warning is on, and after the scale and warning
    // distance keys: the camera check and the radar map.
    void redrawRadarMap();
    void wireCameraWarning();
    void loadCameras();
    void onMainMenuEntry(int entry);
    void showMainImage(const QString &path);

    QString m_programDir;
    Services m_services;
    SharedValues m_shared;
    SettingsModel m_settings;
    ColourScheme m_colours;
    Navigator m_navigator;
    Dispatcher m_dispatcher;
    MainImageChooser m_mainImages;

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
    std::unique_ptr<DriversLog> m_logbook;
    std::unique_ptr<DriversLogKeys> m_driversLogKeys;
    std::unique_ptr<GpsWatchdog> m_gpsWatchdog;
    std::unique_ptr<GpsReception> m_gps;
    std::unique_ptr<RadarWarningView> m_radarView;
    std::unique_ptr<CameraWarning> m_cameras;
    std::unique_ptr<IntervalTimer> m_alertTimer; // ends a camera alert, when Services gave one

    std::unique_ptr<TraceSink> m_trace;
    std::unique_ptr<Can2ComLink> m_can; // writes to m_trace: goes first
    std::unique_ptr<ForegroundKeeper> m_foreground;
    int m_wheelDelta = 0;
};
