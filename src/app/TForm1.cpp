#include "app/TForm1.h"

#include "app/BrightnessControl.h"
#include "app/ColourChoice.h"
#include "app/DialogPathChooser.h"
#include "app/ExitSequence.h"
#include "app/ForegroundKeeper.h"
#include "app/MainMenuBar.h"
#include "app/MainMenuKeys.h"
#include "app/MainMenuScreen.h"
#include "app/MediaChoiceScreen.h"
#include "app/OptionsKeys.h"
#include "app/OptionsPickers.h"
#include "app/OptionsScreen.h"
#include "app/PoiKeys.h"
#include "app/PortRequestLog.h"
#include "app/StatusClock.h"
#include "app/StatusLine.h"
#include "app/SystemDescription.h"
#include "app/TopBar.h"
#include "can/Can2ComLink.h"
#include "can/CanPage.h"
#include "can/CanTrace.h"
#include "core/CommandKey.h"
#include "core/LinkPort.h"
#include "core/NullTraceSink.h"
#include "core/QtIntervalTimer.h"
#include "core/Screen.h"
#include "gps/CameraWarning.h"
#include "gps/GpsReception.h"
#include "gps/GpsWatchdog.h"
#include "gps/NavigationText.h"
#include "gps/RadarScreen.h"
#include "gps/RadarWarningView.h"
#include "log/DriversLog.h"
#include "log/DriversLogKeys.h"
#include "log/DriversLogScreen.h"
#include "log/MapPalette.h"
#include "log/MapScreen.h"
#include "log/OsmMap.h"
#include "media/DirActionMenu.h"
#include "media/LetterDial.h"
#include "media/MovieOptionsPanel.h"
#include "media/Mp3Directory.h"
#include "media/Mp3OptionsPanel.h"
#include "media/NowPlaying.h"
#include "media/NowPlayingScreen.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"
#include "media/VideoPlayback.h"
#include "platform/ManualSystemClock.h"
#include "platform/RecordingGammaRamp.h"
#include "platform/RecordingPowerManager.h"
#include "platform/RecordingSoundPlayer.h"
#include "platform/RecordingVideoPlayer.h"
#include "platform/ScriptedAudioPlayer.h"
#include "platform/SystemInfoReader.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SelectionMarker.h"
#include "widgets/TurnKnob.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

TForm1::TForm1(const QString &programDir, Services services, QWidget *parent)
    : QWidget(parent), m_programDir(programDir), m_services(std::move(services)),
      m_dispatcher(m_navigator), m_trace(std::make_unique<NullTraceSink>())
{
    if (!m_services.can2comPort)
        m_services.can2comPort = std::make_unique<PortRequestLog>(0);
    if (!m_services.gpsPort)
        m_services.gpsPort = std::make_unique<PortRequestLog>(2);
    if (!m_services.sound)
        m_services.sound = std::make_unique<RecordingSoundPlayer>();
    if (!m_services.video)
        m_services.video = std::make_unique<RecordingVideoPlayer>();
    if (!m_services.power)
        m_services.power = std::make_unique<RecordingPowerManager>();
    if (!m_services.gamma)
        m_services.gamma = std::make_unique<RecordingGammaRamp>();
    if (!m_services.audio)
        m_services.audio = std::make_unique<ScriptedAudioPlayer>();
    if (!m_services.chooser)
        m_services.chooser = std::make_unique<DialogPathChooser>(this);
    if (!m_services.map) // the settings are loaded by the time the map is created
        m_services.map = std::make_unique<OsmMap>([this] { return m_configuration->mapFile(); });
    if (!m_services.clock)
        m_services.clock = std::make_unique<ManualSystemClock>();

    // The position source comes first: the drivers log and the camera warning subscribe
    // to it as they are made.
    makeGpsReception();
    // Start-up, in its fixed order.
    buildWindow();
    m_options->edit(m_settings);
    const auto sysMessage = [this](const QString &line) {
        m_options->appendSysMessage(line);
    };
    m_configuration = std::make_unique<Configuration>(m_programDir, m_settings, m_colours, m_shared,
                                                      *this, sysMessage);
    m_can2comLink = std::make_unique<LinkPort>(m_settings, LinkPort::Link::Can2Com,
                                               *m_services.can2comPort, sysMessage);
    m_gpsLink = std::make_unique<LinkPort>(m_settings, LinkPort::Link::Gps, *m_services.gpsPort);
    wireKeys();
    wireShell();
    wireGps();
    m_options->Knob1->setValue(BrightnessControl::Standard);
    m_brightness->Knob1Change(BrightnessControl::Standard);
    m_options->setPage(OptionsScreen::Sys);
    m_mainImages.setDirectory(m_programDir);
    m_options->SysMemo->clear();
    for (const QString &line : SystemDescription::startupLines(m_programDir, SystemInfoReader()))
        m_options->appendSysMessage(line);
    for (const QString &line : std::as_const(m_services.platformNotes))
        m_options->appendSysMessage(line);
    m_clock->start();

    m_mainMenu->highlight(MainMenuBar::DriversLog);
    setGeometry(0, 0, 800, 600);
    m_colours.changecolors();
    // Something to show even when the configured directories fail.
    m_mp3Directory->MP3Listbox().setDirectory(QStringLiteral("/"));
    m_videoList->VideoListBox().setDirectory(QStringLiteral("/"));

    m_configuration->LoadSettings();
    m_mapScreen->setMapPalette(m_configuration->mapNight() ? MapPalette::night()
                                                           : MapPalette::day());

    m_logbook->logTimer().start();
    m_foreground = std::make_unique<ForegroundKeeper>(*this, QtIntervalTimer::make());
    qApp->installEventFilter(this);

    raise();
    activateWindow();
    m_navigator.showScreen(Screen::MP3Start);
    m_navigator.setTitle(QStringLiteral("Main"));
    loadCameras();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    m_services.gpsPort->setOnReceiveData({});
}

void TForm1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Rovana"));
    setWindowFlags(Qt::FramelessWindowHint);
    setFixedSize(800, 600);
    // Black everywhere, light text: the controls of every screen inherit this.
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(20, 20, 20));
    p.setColor(QPalette::AlternateBase, QColor(35, 35, 35));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(45, 45, 45));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Light, QColor(90, 90, 90));
    p.setColor(QPalette::Midlight, QColor(70, 70, 70));
    p.setColor(QPalette::Mid, QColor(50, 50, 50));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0xCD, 0xB8, 0x99));
    p.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    QCursor::setPos(381, 169);

    m_topBar = new TopBar(this);
    m_topBar->setGeometry(0, 0, 800, TopBarHeight);
    m_mainMenu = new MainMenuBar(this);
    m_mainMenu->setGeometry(0, TopBarHeight, 800, MenuBarHeight);
    connect(m_mainMenu, &MainMenuBar::activated, this, &TForm1::onMainMenuEntry);
    m_MP3Control = new QStackedWidget(this);
    m_MP3Control->setObjectName(QStringLiteral("MP3Control"));
    m_MP3Control->setGeometry(0, PageTop, 800, PageHeight);
    // The page control follows the navigator before any subsystem hears of the change.
    connect(&m_navigator, &Navigator::screenShown, m_MP3Control, &QStackedWidget::setCurrentIndex);
    connect(&m_navigator, &Navigator::titleChanged, m_topBar->TopMidLabel, &QLabel::setText);
    m_status = new StatusLine(this);
    m_status->setGeometry(0, 600 - StatusHeight, 800, StatusHeight);
    buildPages();
    registerColours();
}

void TForm1::buildPages()
{
    for (int i = 0; i < Screen::Count; ++i) {
        auto *page = new QWidget(m_MP3Control);
        page->setObjectName(QLatin1String(Navigator::table()[size_t(i)].name));
        page->setAutoFillBackground(true);
        QPalette p = page->palette();
        p.setColor(QPalette::Window, Qt::black);
        page->setPalette(p);
        m_pages[size_t(i)] = page;
        m_MP3Control->addWidget(page);
    }
    m_mainScreen = new MainMenuScreen(page(Screen::MP3Start));
    m_mainScreen->setGeometry(0, 0, 800, PageHeight);
    connect(m_mainScreen, &MainMenuScreen::imageClicked, this, &TForm1::Image1Click);

    m_options = new OptionsScreen(page(Screen::Settings));
    m_options->setGeometry(0, 0, 800, PageHeight);
    connect(m_options->ReturnButton, &QAbstractButton::clicked, this, &TForm1::BitBtn1Click);
    connect(m_options->Button21, &QAbstractButton::clicked, this, &TForm1::Button21Click);
    connect(m_options->Button22, &QAbstractButton::clicked, this, &TForm1::Button22Click);
    buildCan();

    m_mediaChoice = new MediaChoiceScreen(m_navigator, page(Screen::media_select));
    m_mediaChoice->setGeometry(0, 0, 800, PageHeight);

    m_marker = std::make_unique<SelectionMarker>(this);
    m_mp3Directory = new Mp3Directory(
        m_navigator, *m_marker, [this] { return m_settings.values().mp3Path; },
        page(Screen::MP3Directory));
    m_videoList = new VideoListScreen(m_navigator, *m_marker, page(Screen::Vide_select));
    m_nowPlaying =
        new NowPlaying({m_navigator, *m_marker, *m_mp3Directory, *m_services.audio, m_programDir,
                        [this] {
                            return m_settings.values().mp3Path;
                        }},
                       page(Screen::MP3Album));
    m_mp3Directory->setPlayback(m_nowPlaying);
    m_mediaChoice->setAudioAction([this] { m_nowPlaying->showAudio(); });
    connect(&m_navigator, &Navigator::screenShown, m_mp3Directory, &Mp3Directory::screenShown);
    connect(&m_navigator, &Navigator::screenShown, m_videoList, &VideoListScreen::screenShown);

    m_video = new VideoPlayback({m_navigator, *m_services.sound, *m_services.video, m_programDir,
                                 this, m_MP3Control->geometry(), m_topBar->CpuMeter, *m_videoList,
                                 m_options->Knob1, m_options->Knob1Label},
                                this);
    m_videoList->setActions(m_video);
    // A film leaves the screen for the main menu and comes back after an alert.
    m_navigator.onBackToMain([this] {
        m_video->MovieOptionsPanelDisappearTimerTimer();
        m_video->HideVideo();
    });
    m_navigator.onReturnAfterAlert(Screen::Video_Play, [this] { m_video->ShowVideoWindowed(); });
    m_navigator.onEnter(Screen::media_select, [this] { m_mediaChoice->media_selectEnter(); });
    m_mediaChoice->setVideoAction([this] { m_video->Panel87Click(); });
    m_radar = new RadarScreen(page(Screen::Radar));
    m_radar->setGeometry(0, 0, 800, PageHeight);
    buildDriversLog();
}

void TForm1::buildDriversLog()
{
    m_driversLogScreen = new DriversLogScreen(m_navigator, *m_marker, page(Screen::Log_select));
    m_driversLogScreen->setGeometry(0, 0, 800, PageHeight);
    m_mapScreen =
        new MapScreen({*m_services.map, m_shared, [this](bool ok) { m_logbook->mapCreated(ok); },
                       [this] {
                           m_navigator.showScreen(Screen::Log_select);
                           m_driversLogScreen->focusShowMap();
                       }},
                      page(Screen::SetLog));
    m_mapScreen->setGeometry(0, 0, 800, PageHeight);
    m_logbook = std::make_unique<DriversLog>(DriversLog::Context{
        m_shared, m_navigator, *m_driversLogScreen, *m_mapScreen, *m_services.clock, *m_gps,
        m_programDir, [this] { return m_settings.values().logPath; },
        [this](const QString &message) { trace().AddTrace(message); },
        [this] { m_configuration->SaveSettings(); },
        [this](bool business) {
            m_status->LogIndicator->setVisible(business);
        }});
}

// The CAN page, its trace (the window's trace from here on) and the link on the CAN port.
void TForm1::buildCan()
{
    auto *canPage = new CanPage(m_options->canPage());
    auto *layout = new QVBoxLayout(m_options->canPage());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canPage);
    auto trace = std::make_unique<CanTrace>(*canPage->CAN2COMMemo);
    m_can = std::make_unique<Can2ComLink>(Can2ComLink::Wiring{
        *m_services.can2comPort,
        *canPage,
        *trace,
        *m_status->CANLabel,
        [this] { return m_colours.main(); },
        [this] { return m_settings.values().can2comEnabled; },
        [this](const QString &line) { m_options->appendSysMessage(line); },
        [this](quint16 &key) { m_dispatcher.FormKeyDown(key); },
        [this](const QString &text) { QMessageBox::warning(this, QStringLiteral("Rovana"), text); },
        QDir::homePath() + QStringLiteral("/auditrace.txt"),
        {}});
    m_trace = std::move(trace);
    canPage->registerColours(m_colours);
}

void TForm1::registerColours()
{
    using Role = ColourScheme::Role;
    m_colours.add(m_mainMenu, Role::AccentBackground);
    m_colours.add(m_topBar->TopMidLabel, Role::AccentText);
    m_colours.add(m_topBar->CpuLabel, Role::AccentText);
    m_colours.add([this](const QColor &m) { m_topBar->CpuMeter->setBarColour(m); });
    for (QLabel *l :
         {m_status->Clock, m_status->DateLabel, m_status->sensorlabel, m_status->LogIndicator}) {
        m_colours.add(l, Role::AccentText);
        m_colours.add(l, Role::Background);
    }
    m_colours.add(m_mainScreen->VersionPanel, Role::AccentBackground);
    m_colours.add(m_mainScreen->VersionPanel, Role::TextOnAccent);
    m_colours.add(m_mediaChoice->ChoicePanel, Role::AccentBackground);
    m_colours.add(m_mediaChoice->Panel86, Role::TextOnAccent);
    m_colours.add(m_mediaChoice->Panel87, Role::TextOnAccent);
    m_colours.add([this](const QColor &m) { m_marker->setColour(m); });
    m_mp3Directory->registerColours(m_colours);
    m_nowPlaying->registerColours(m_colours);
    m_videoList->registerColours(m_colours);
    m_video->registerColours(m_colours);
    m_radar->registerColours(m_colours);
    // The link indicators' text colours belong to the GPS and CAN links.
    m_colours.add(m_status->GPSLabel, Role::Background);
    m_colours.add(m_status->CANLabel, Role::Background);
    m_colours.add([this](const QColor &m) { m_options->Knob1Picture->setFaceColour(m); });
    m_colours.add([this](const QColor &m) {
        m_driversLogScreen->applyColours(m);
        m_mapScreen->setArrowColour(m);
    });
}

void TForm1::wireKeys()
{
    m_mainMenuKeys = std::make_unique<MainMenuKeys>(*m_mainMenu, [this] { Main4Click(); });
    m_optionsKeys = std::make_unique<OptionsKeys>(*m_options, m_colours,
                                                  OptionsKeys::Actions{[this] { BitBtn1Click(); },
                                                                       [this] { Button21Click(); },
                                                                       [this] { Button22Click(); },
                                                                       [this] {
                                                                           changecolors();
                                                                       }});
    m_poiKeys = std::make_unique<PoiKeys>(
        PoiKeys::Actions{[this] {
                             m_radar->showScale(m_poiKeys->MapScaleKm);
                             m_cameras->setScale(m_poiKeys->MapScaleKm);
                             redrawRadarMap();
                         },
                         [this] {
                             m_radar->showSensitivity(m_poiKeys->WarningDistanceKm);
                             m_cameras->setWarningDistance(m_poiKeys->WarningDistanceKm);
                             redrawRadarMap();
                         },
                         [this] { m_radar->CheckBox2->toggle(); },
                         [this] {
                             m_navigator.Button5Click();
                         }});
    m_driversLogKeys =
        std::make_unique<DriversLogKeys>(*m_driversLogScreen, *m_logbook, m_navigator);
    m_dispatcher.setHandler(Dispatcher::Context::DriversLog, m_driversLogKeys.get());
    m_dispatcher.setHandler(Dispatcher::Context::Map, m_mapScreen);
    m_dispatcher.setHandler(Dispatcher::Context::MainMenu, m_mainMenuKeys.get());
    m_dispatcher.setHandler(Dispatcher::Context::Options, m_optionsKeys.get());
    m_dispatcher.setHandler(Dispatcher::Context::MediaChoice, m_mediaChoice);
    m_dispatcher.setHandler(Dispatcher::Context::Poi, m_poiKeys.get());
    m_dispatcher.setHandler(Dispatcher::Context::Mp3List, m_mp3Directory);
    m_dispatcher.setHandler(Dispatcher::Context::ActionPanel, m_mp3Directory->DirActionPanel);
    m_dispatcher.setHandler(Dispatcher::Context::LetterPanel, m_mp3Directory->FilterPanel);
    m_dispatcher.setHandler(Dispatcher::Context::VideoList, m_videoList);
    m_dispatcher.setHandler(Dispatcher::Context::VideoPlaying, m_video);
    m_dispatcher.setHandler(Dispatcher::Context::VideoOptions, m_video->optionsPanel());
    m_dispatcher.setHandler(Dispatcher::Context::NowPlaying, m_nowPlaying);
    m_dispatcher.setHandler(Dispatcher::Context::Mp3Options, m_nowPlaying->MP3OptionsPanel());
    m_navigator.setOverlayPanel(Overlay::MovieOptions, m_video->optionsPanel());
    m_navigator.setOverlayPanel(Overlay::Mp3Options, m_nowPlaying->MP3OptionsPanel());
    m_navigator.setOverlayPanel(Overlay::DirAction, m_mp3Directory->DirActionPanel);
    m_navigator.setOverlayPanel(Overlay::Filter, m_mp3Directory->FilterPanel);
}

// Status line, exit and the display settings.
void TForm1::wireShell()
{
    m_clock = std::make_unique<StatusClock>(
        *m_status, *m_topBar->CpuMeter, CpuLoadSampler(),
        [this](const QString &line) { m_options->appendSysMessage(line); },
        // The computer's clock as the drivers log sets it.
        [this] { return m_services.clock->now(); });
    m_exit = std::make_unique<ExitSequence>(
        m_programDir, *m_services.sound, *m_services.power,
        ExitSequence::Actions{[this] { m_configuration->SaveSettings(); },
                              [this] { return m_settings.values().exitChoice; },
                              [this] { return m_configuration->shellCommand(); },
                              [] {
                                  QCoreApplication::quit();
                              }});
    connect(m_clock.get(), &StatusClock::timeShown, m_driversLogScreen->Panel95, &QLabel::setText);
    m_brightness = std::make_unique<BrightnessControl>(*m_options->Knob1, *m_options->Knob1Label,
                                                       m_options->Knob1Picture, *m_services.gamma);
    m_colourChoice =
        std::make_unique<ColourChoice>(*m_options, m_colours, [this] { changecolors(); });
    m_pickers = std::make_unique<OptionsPickers>(
        *m_options, *m_services.chooser,
        OptionsPickers::Actions{
            [this](const QString &dir) { return m_mp3Directory->MP3Listbox().setDirectory(dir); },
            [this](const QString &dir) { return m_videoList->VideoListBox().setDirectory(dir); },
            [this](const QString &file) {
                return loadNowPlayingBackground(file);
            }});
}

void TForm1::makeGpsReception()
{
    GpsReception::Hooks hooks;
    hooks.dataArrived = [this] {
        m_gpsWatchdog->dataArrived();
    };
    hooks.showNavigation = [this](const NavigationText &texts) {
        m_radar->showNavigation(texts);
    };
    hooks.systemMessage = [this](const QString &line) {
        m_options->appendSysMessage(line);
    };
    m_gps = std::make_unique<GpsReception>(m_shared, std::move(hooks));
}

// The NMEA reception's watchdog, test inputs and port, and the warning switch.
void TForm1::wireGps()
{
    m_gpsWatchdog =
        std::make_unique<GpsWatchdog>(*m_status->GPSLabel, [this] { return m_colours.main(); });
    m_logbook->setNmeaInput([this](const QString &text) { m_gps->ProcessNmeaText(text); });
    GpsReception &gps = *m_gps;
    connect(m_radar->RadarSystemMessage, &PanelButton::clicked, this,
            [&gps] { gps.RadarSystemMessageClick(); });
    connect(m_radar->RadarSensitivityLabel, &PanelButton::clicked, this,
            [&gps] { gps.RadarSensitivityLabelClick(); });
    connect(m_radar->Second_RadarWarning_distance, &PanelButton::clicked, this,
            [&gps] { gps.Second_RadarWarning_distanceClick(); });
    connect(m_radar->Nav_scale, &PanelButton::clicked, this, [&gps] { gps.Nav_scaleClick(); });
    m_services.gpsPort->setOnReceiveData([this](const char *Buffer, quint16 BufferLength) {
        m_gps->VSSComm321ReceiveData(Buffer, BufferLength);
    });
    connect(m_radar, &RadarScreen::warningSwitched, this, [this](bool on) {
        m_shared.RadarSystemOn = on;
        m_status->sensorlabel->setVisible(on);
    });
    wireCameraWarning();
}

// The camera check, the alert and the radar map on the POI screen.
void TForm1::wireCameraWarning()
{
    m_radarView = std::make_unique<RadarWarningView>(*m_radar);
    m_cameras = std::make_unique<CameraWarning>(
        CameraWarning::Window{m_navigator, *m_services.sound, m_shared, *m_radarView, *m_gps,
                              [this] { return m_settings.values().warningSound; },
                              [this](bool on) { m_status->sensorlabel->setVisible(on); },
                              [this] { m_video->HideVideo(); },
                              [this](const QString &line) {
                                  m_options->appendSysMessage(line);
                              }});
    if (m_services.alertTimers) {
        m_alertTimer = m_services.alertTimers();
        m_alertTimer->setHandler([this] { m_cameras->AlertDisappearTimerTimer(); });
        IntervalTimer &timer = *m_alertTimer;
        m_cameras->useCountdown({[&timer](int ms) { timer.start(ms); },
                                 [&timer] {
                                     timer.stop();
                                 }});
    }
}

void TForm1::loadCameras()
{
    m_cameras->loadBackground(m_programDir + QStringLiteral("radarmap.png"));
    m_cameras->loadradar(m_programDir + QStringLiteral("radar.bin"));
    redrawRadarMap();
}

void TForm1::redrawRadarMap() { m_cameras->seekartePaint(); }

// --- screens ---------------------------------------------------------------------------

// The map is made on the map page the first time; the drivers log shows either way,
// with its menu once the map exists.
void TForm1::ComandPanelTopRightClick()
{
    m_navigator.setTitle(QStringLiteral("Drivers log"));
    m_navigator.showScreen(Screen::Log_select);
    m_marker->hide();
    m_navigator.showScreen(Screen::SetLog);
    m_mapScreen->CreateMap();
    m_navigator.showScreen(Screen::Log_select);
    m_driversLogScreen->focusShowMap();
}

void TForm1::ComandPanelBottomLeftClick()
{
    m_shared.AlertReturnPage = Screen::Radar;
    m_navigator.setTitle(QStringLiteral("POI"));
    m_navigator.showScreen(Screen::Radar);
}

void TForm1::Main4Click()
{
    m_navigator.setTitle(QStringLiteral("Options"));
    m_navigator.showScreen(Screen::Settings);
}

void TForm1::onMainMenuEntry(int entry)
{
    switch (entry) {
    case MainMenuBar::DriversLog:
        ComandPanelTopRightClick();
        break;
    case MainMenuBar::Media:
        m_navigator.ComandPanelTopLeftClick();
        break;
    case MainMenuBar::Poi:
        ComandPanelBottomLeftClick();
        break;
    case MainMenuBar::Options:
        Main4Click();
        break;
    case MainMenuBar::Exit:
        m_exit->ComandPanelBottomRightClick();
        break;
    default:
        break;
    }
}

void TForm1::BitBtn1Click()
{
    m_options->setPage(OptionsScreen::Sys);
    m_configuration->SaveSettings();
    m_navigator.Button5Click();
}

void TForm1::showMainImage(const QString &path)
{
    if (path.isEmpty())
        return;
    m_settings.set(&Settings::mainImage, path);
    if (m_mainScreen->loadPicture(path))
        m_options->MainImageThumb->setPixmap(m_mainScreen->picture());
}

void TForm1::Button21Click() { showMainImage(m_mainImages.next()); }

void TForm1::Button22Click() { showMainImage(m_mainImages.previous()); }

void TForm1::Image1Click()
{
    QMessageBox::information(this, QStringLiteral("Rovana"),
                             QString::number(m_mainScreen->pictureHeight()));
    showMinimized();
}

// --- settings effects ------------------------------------------------------------------

void TForm1::loadFixedPictures()
{
    m_mediaChoice->loadPictures(m_programDir + "audio.jpg", m_programDir + "video.jpg");
    m_radar->loadAlertPicture(m_programDir + "alert.jpg");
}

void TForm1::showMainScreenImage(const QString &path) { m_mainScreen->loadPicture(path); }

void TForm1::addDriversLogLine(const QString &line) { m_driversLogScreen->addLogLine(line); }

QString TForm1::lastDriversLogLine() const
{
    const QStringList &lines = m_driversLogScreen->lines();
    return lines.isEmpty() ? QString() : lines.last();
}

const QStringList &TForm1::driversLog() const { return m_driversLogScreen->lines(); }

bool TForm1::pointMediaLists(const QString &mp3Dir, const QString &movieDir)
{
    if (!m_mp3Directory->MP3Listbox().setDirectory(mp3Dir))
        return false;
    m_videoList->VideoListBox().setDirectory(movieDir);
    return true;
}

void TForm1::changecolors() { m_colours.changecolors(); }

void TForm1::showRadarSystem(bool on)
{
    m_radar->CheckBox2->setChecked(on);
    m_radar->CheckBox2Click();
}

void TForm1::showPrivateMode() { m_logbook->showPrivateMode(); }

void TForm1::showOdometer(double km) { m_logbook->showOdometer(km); }

void TForm1::showMousePointer(bool shown)
{
    if (shown)
        unsetCursor();
    else
        setCursor(Qt::BlankCursor);
    // The screens' mouse targets are for a pointer that can be seen.
    m_mp3Directory->showMouseTargets(shown);
    m_nowPlaying->screen()->showMouseTargets(shown);
}

bool TForm1::loadNowPlayingBackground(const QString &path)
{
    if (!m_nowPlaying->setDefaultPicture(path))
        return false;
    m_options->Mp3BitmapThumb->setPixmap(m_nowPlaying->defaultPicture());
    return true;
}

// --- input -----------------------------------------------------------------------------

// Keys and wheel notches reach the dispatcher before the focused control. They are taken
// where they enter the window, so each event is dispatched exactly once.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWindowType() || static_cast<QWindow *>(watched) != windowHandle())
        return false;
    if (event->type() == QEvent::KeyPress) {
        quint16 key = CommandKey::fromQtKey(static_cast<QKeyEvent *>(event)->key());
        if (key != 0)
            m_dispatcher.FormKeyDown(key);
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        m_wheelDelta += static_cast<QWheelEvent *>(event)->angleDelta().y();
        for (; m_wheelDelta <= -120; m_wheelDelta += 120)
            m_dispatcher.FormMouseWheelDown();
        for (; m_wheelDelta >= 120; m_wheelDelta -= 120)
            m_dispatcher.FormMouseWheelUp();
        return true;
    }
    return false;
}
