#include "app/TForm1.h"

#include "app/BrightnessControl.h"
#include "app/ColourChoice.h"
#include "app/DayNight.h"
#include "app/DialogPathChooser.h"
#include "app/ExitSequence.h"
#include "app/ForegroundKeeper.h"
#include "app/GpsWiring.h"
#include "app/MainMenuBar.h"
#include "app/MainMenuKeys.h"
#include "app/MainMenuScreen.h"
#include "app/MediaChoiceScreen.h"
#include "app/OdometerCheckpoints.h"
#include "app/OptionsKeys.h"
#include "app/OptionsPickers.h"
#include "app/OptionsScreen.h"
#include "app/PoiKeys.h"
#include "app/ScreenActions.h"
#include "app/SettingsEffects.h"
#include "app/StatusClock.h"
#include "app/StatusLine.h"
#include "app/SystemDescription.h"
#include "app/TopBar.h"
#include "app/WindowColours.h"
#include "app/WindowInput.h"
#include "app/WindowPalette.h"
#include "can/Can2ComLink.h"
#include "can/CanPage.h"
#include "can/CanTrace.h"
#include "core/Fix.h"
#include "core/LinkPort.h"
#include "core/NullTraceSink.h"
#include "core/QtIntervalTimer.h"
#include "core/Screen.h"
#include "gps/GpsReception.h"
#include "gps/RadarScreen.h"
#include "log/DriversLog.h"
#include "log/DriversLogKeys.h"
#include "log/DriversLogScreen.h"
#include "log/MapScreen.h"
#include "log/OsmMap.h"
#include "media/DirActionMenu.h"
#include "media/LetterDial.h"
#include "media/MovieOptionsPanel.h"
#include "media/Mp3Directory.h"
#include "media/Mp3OptionsPanel.h"
#include "media/NowPlaying.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"
#include "media/VideoPlayback.h"
#include "platform/SystemInfoReader.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <stdexcept>

TForm1::TForm1(const QString &programDir, Services services, QWidget *parent)
    : QWidget(parent), m_programDir(programDir), m_services(std::move(services)),
      m_dispatcher(m_navigator), m_trace(std::make_unique<NullTraceSink>())
{
    if (const QString missing = m_services.missing(); !missing.isEmpty())
        throw std::invalid_argument("Rovana's window needs " + missing.toStdString());
    if (!m_services.chooser)
        m_services.chooser = std::make_unique<DialogPathChooser>(this);
    if (!m_services.map) // the settings are loaded by the time the map is created
        m_services.map = std::make_unique<OsmMap>(
            [this] { return m_configuration->mapFile(); },
            [this](const QString &line) { m_options->appendSysMessage(line); });

    // Start-up, in its fixed order.
    buildWindow();
    m_options->edit(m_settings);
    wireGps(); // the position source, before the drivers log subscribes to it
    buildLogbook();
    wireSettings();
    wireKeys();
    wireShell();
    // Ports that come back say so: the CAN line's comings and goings go to its trace too.
    m_services.gpsPort->setOnMessage(
        [this](const QString &line) { m_options->appendSysMessage(line); });
    m_services.can2comPort->setOnMessage([this](const QString &line) {
        m_options->appendSysMessage(line);
        m_trace->AddTrace(line);
    });
    m_options->Knob1->setValue(BrightnessControl::Standard);
    m_brightness->Knob1Change(BrightnessControl::Standard);
    m_options->setPage(OptionsScreen::Sys);
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
    wireDayNight();

    m_checkpoints = std::make_unique<OdometerCheckpoints>(
        m_shared.TripKm, QtIntervalTimer::make(), [this] { m_configuration->SaveSettings(); });
    m_logbook->logTimer().start();
    m_foreground = std::make_unique<ForegroundKeeper>(*this, QtIntervalTimer::make());
    m_input = std::make_unique<WindowInput>(*this, m_dispatcher);

    raise();
    activateWindow();
    m_navigator.showScreen(Screen::MP3Start);
    m_navigator.setTitle(QStringLiteral("Main"));
    m_gps->loadCameras(m_programDir);
}

TForm1::~TForm1() = default;

void TForm1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Rovana"));
    setWindowFlags(Qt::FramelessWindowHint);
    setFixedSize(800, 600);
    setPalette(WindowPalette::dark(palette())); // the controls of every screen inherit it
    setAutoFillBackground(true);
    QCursor::setPos(381, 169);

    m_topBar = new TopBar(this);
    m_topBar->setGeometry(0, 0, 800, TopBarHeight);
    m_mainMenu = new MainMenuBar(this);
    m_mainMenu->setGeometry(0, TopBarHeight, 800, MenuBarHeight);
    connect(m_mainMenu, &MainMenuBar::activated, this,
            [this](int entry) { m_actions->onMainMenuEntry(entry); });
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
    const auto mp3Path = [this] {
        return m_settings.values().mp3Path;
    };
    m_mp3Directory = new Mp3Directory(m_navigator, *m_marker, mp3Path, page(Screen::MP3Directory));
    m_videoList = new VideoListScreen(m_navigator, *m_marker, page(Screen::Vide_select));
    m_nowPlaying = new NowPlaying(
        {m_navigator, *m_marker, *m_mp3Directory, *m_services.audio, m_programDir, mp3Path},
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
    buildDriversLogScreens();
}

void TForm1::buildDriversLogScreens()
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
}

// The drivers log follows the car's fixes, writes to the CAN trace and saves the settings
// when its mode changes.
void TForm1::buildLogbook()
{
    m_logbook = std::make_unique<DriversLog>(DriversLog::Context{
        m_shared, m_navigator, *m_driversLogScreen, *m_mapScreen, *m_services.clock,
        m_gps->reception(), m_programDir, [this] { return m_settings.values().logPath; },
        [this](const QString &message) { trace().AddTrace(message); },
        [this] { m_configuration->SaveSettings(); },
        [this](bool business) {
            m_status->LogIndicator->setVisible(business);
        }});
    m_logbook->setNmeaInput([this](const QString &text) { gps()->ProcessNmeaText(text); });
}

// Day or night from the lights or the sun, as the loaded settings say.
void TForm1::wireDayNight()
{
    m_dayNight = std::make_unique<DayNight>(
        DayNight::Parts{m_colours, *m_mapScreen, *m_status->NightIndicator, *m_services.clock,
                        m_settings, *m_options->Knob1});
    m_gps->reception().subscribe([this](const Fix &fix) { m_dayNight->position(fix); });
    connect(m_clock.get(), &StatusClock::timeShown, this, [this] { m_dayNight->tick(); });
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
        [this] { return m_colours.palette().accent; },
        [this] { return m_settings.values().can2comEnabled; },
        [this](const QString &line) { m_options->appendSysMessage(line); },
        [this](quint16 &key) { m_dispatcher.FormKeyDown(key); },
        [this](const QString &text) { QMessageBox::warning(this, QStringLiteral("Rovana"), text); },
        QDir::homePath() + QStringLiteral("/auditrace.txt"),
        {},
        [this](int value) {
            if (m_dayNight)
                m_dayNight->lightSwitch(value);
        }});
    m_trace = std::move(trace);
    m_can->registerColours(m_colours);
}

void TForm1::registerColours()
{
    WindowColours::registerAll(m_colours, {*this, *m_mainMenu, *m_topBar, *m_status, *m_mainScreen,
                                           *m_mediaChoice, *m_marker, *m_mp3Directory,
                                           *m_nowPlaying, *m_videoList, *m_video, *m_radar,
                                           *m_options, *m_driversLogScreen, *m_mapScreen});
}

// The configuration with the effects of its load, the serial links' ports and what the
// menu and the options' buttons do.
void TForm1::wireSettings()
{
    m_effects = std::make_unique<SettingsEffects>(SettingsEffects::Screens{
        m_programDir, *this, *m_mainScreen, *m_mediaChoice, *m_radar, *m_driversLogScreen,
        *m_logbook, *m_mp3Directory, *m_videoList, *m_nowPlaying, *m_options, m_colours});
    const auto sysMessage = [this](const QString &line) {
        m_options->appendSysMessage(line);
    };
    m_configuration = std::make_unique<Configuration>(m_programDir, m_settings, m_colours, m_shared,
                                                      *m_effects, sysMessage);
    m_can2comLink = std::make_unique<LinkPort>(m_settings, LinkPort::Link::Can2Com,
                                               *m_services.can2comPort, sysMessage);
    m_gpsLink = std::make_unique<LinkPort>(m_settings, LinkPort::Link::Gps, *m_services.gpsPort);
    m_actions = std::make_unique<ScreenActions>(ScreenActions::Parts{
        *this, m_navigator, m_shared, m_settings, *m_configuration, *m_marker, *m_mainScreen,
        *m_options, *m_driversLogScreen, *m_mapScreen, m_programDir, [this] {
            m_exit->ComandPanelBottomRightClick();
        }});
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
        PoiKeys::Actions{[this] { m_gps->showScale(m_poiKeys->MapScaleKm); },
                         [this] { m_gps->showWarningDistance(m_poiKeys->WarningDistanceKm); },
                         [this] { m_radar->CheckBox2->toggle(); },
                         [this] {
                             m_navigator.Button5Click();
                         }});
    m_driversLogKeys =
        std::make_unique<DriversLogKeys>(*m_driversLogScreen, *m_logbook, m_navigator);
    using Context = Dispatcher::Context;
    m_dispatcher.setHandler(Context::DriversLog, m_driversLogKeys.get());
    m_dispatcher.setHandler(Context::Map, m_mapScreen);
    m_dispatcher.setHandler(Context::MainMenu, m_mainMenuKeys.get());
    m_dispatcher.setHandler(Context::Options, m_optionsKeys.get());
    m_dispatcher.setHandler(Context::MediaChoice, m_mediaChoice);
    m_dispatcher.setHandler(Context::Poi, m_poiKeys.get());
    m_dispatcher.setHandler(Context::Mp3List, m_mp3Directory);
    m_dispatcher.setHandler(Context::ActionPanel, m_mp3Directory->DirActionPanel);
    m_dispatcher.setHandler(Context::LetterPanel, m_mp3Directory->FilterPanel);
    m_dispatcher.setHandler(Context::VideoList, m_videoList);
    m_dispatcher.setHandler(Context::VideoPlaying, m_video);
    m_dispatcher.setHandler(Context::VideoOptions, m_video->optionsPanel());
    m_dispatcher.setHandler(Context::NowPlaying, m_nowPlaying);
    m_dispatcher.setHandler(Context::Mp3Options, m_nowPlaying->MP3OptionsPanel());
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
                return m_effects->loadNowPlayingBackground(file);
            }});
}

// The NMEA reception, its watchdog, the warning switch and the camera warning.
void TForm1::wireGps()
{
    m_gps = std::make_unique<GpsWiring>(GpsWiring::Parts{
        m_shared, m_navigator, *m_services.sound, m_settings, *m_radar, *m_status, m_colours,
        *m_services.gpsPort, [this] { m_video->HideVideo(); },
        [this](const QString &line) { m_options->appendSysMessage(line); }, m_services.alertTimers,
        [this] {
            if (m_checkpoints)
                m_checkpoints->odometerMoved();
        }});
}

const QStringList &TForm1::driversLog() const { return m_driversLogScreen->lines(); }
