#include "app/GpsWiring.h"

#include "app/StatusLine.h"
#include "core/ColourScheme.h"
#include "core/SerialPortControl.h"
#include "core/SettingsModel.h"
#include "core/SharedValues.h"
#include "gps/CameraWarning.h"
#include "gps/GpsReception.h"
#include "gps/GpsWatchdog.h"
#include "gps/NavigationText.h"
#include "gps/RadarScreen.h"
#include "gps/RadarWarningView.h"
#include "widgets/PanelButton.h"

#include <QLabel>

GpsWiring::GpsWiring(Parts parts) : m_p(std::move(parts))
{
    ColourScheme &colours = m_p.colours;
    m_watchdog = std::make_unique<GpsWatchdog>(*m_p.status.GPSLabel,
                                               [&colours] { return colours.palette().accent; });
    GpsReception::Hooks hooks;
    GpsWatchdog &watchdog = *m_watchdog;
    RadarScreen &radar = m_p.radar;
    hooks.dataArrived = [&watchdog] {
        watchdog.dataArrived();
    };
    hooks.showNavigation = [&radar](const NavigationText &texts) {
        radar.showNavigation(texts);
    };
    hooks.systemMessage = m_p.systemMessage;
    if (m_p.odometerStep)
        hooks.tripShown = [step = m_p.odometerStep](const QString &, const QString &) {
            step();
        };
    m_reception = std::make_unique<GpsReception>(m_p.shared, std::move(hooks));

    SettingsModel &settings = m_p.settings;
    QLabel &indicator = *m_p.status.sensorlabel;
    m_view = std::make_unique<RadarWarningView>(m_p.radar);
    m_cameras = std::make_unique<CameraWarning>(CameraWarning::Window{
        m_p.screens, m_p.sound, m_p.shared, *m_view, *m_reception,
        [&settings] { return settings.values().warningSound; },
        [&indicator](bool on) { indicator.setVisible(on); }, m_p.hideVideo, m_p.systemMessage});
    CameraWarning &cameras = *m_cameras;
    colours.addPaletteUser([&cameras, &watchdog](const ColourScheme::Palette &p) {
        cameras.setPictureLight(p.pictureLight);
        watchdog.schemeChanged();
    });
    useAlertTimer();
    connectRadarScreen();
    GpsReception &reception = *m_reception;
    m_p.port.setOnReceiveData([&reception](const char *Buffer, quint16 BufferLength) {
        reception.VSSComm321ReceiveData(Buffer, BufferLength);
    });
}

GpsWiring::~GpsWiring() { m_p.port.setOnReceiveData({}); }

// The four test inputs and the warning switch.
void GpsWiring::connectRadarScreen()
{
    GpsReception &gps = *m_reception;
    RadarScreen &radar = m_p.radar;
    QObject::connect(radar.RadarSystemMessage, &PanelButton::clicked, m_cameras.get(),
                     [&gps] { gps.RadarSystemMessageClick(); });
    QObject::connect(radar.RadarSensitivityLabel, &PanelButton::clicked, m_cameras.get(),
                     [&gps] { gps.RadarSensitivityLabelClick(); });
    QObject::connect(radar.Second_RadarWarning_distance, &PanelButton::clicked, m_cameras.get(),
                     [&gps] { gps.Second_RadarWarning_distanceClick(); });
    QObject::connect(radar.Nav_scale, &PanelButton::clicked, m_cameras.get(),
                     [&gps] { gps.Nav_scaleClick(); });
    SharedValues &shared = m_p.shared;
    QLabel &indicator = *m_p.status.sensorlabel;
    QObject::connect(&radar, &RadarScreen::warningSwitched, m_cameras.get(),
                     [&shared, &indicator](bool on) {
                         shared.RadarSystemOn = on;
                         indicator.setVisible(on);
                     });
}

void GpsWiring::useAlertTimer()
{
    if (!m_p.alertTimers)
        return;
    m_alertTimer = m_p.alertTimers();
    CameraWarning &cameras = *m_cameras;
    m_alertTimer->setHandler([&cameras] { cameras.AlertDisappearTimerTimer(); });
    IntervalTimer &timer = *m_alertTimer;
    m_cameras->useCountdown({[&timer](int ms) { timer.start(ms); },
                             [&timer] {
                                 timer.stop();
                             }});
}

void GpsWiring::showScale(double km)
{
    m_p.radar.showScale(km);
    m_cameras->setScale(km);
    m_cameras->seekartePaint();
}

void GpsWiring::showWarningDistance(double km)
{
    m_p.radar.showSensitivity(km);
    m_cameras->setWarningDistance(km);
    m_cameras->seekartePaint();
}

void GpsWiring::loadCameras(const QString &programDir)
{
    m_cameras->loadBackground(programDir + QStringLiteral("radarmap.png"));
    m_cameras->loadradar(programDir + QStringLiteral("radar.bin"));
    m_cameras->seekartePaint();
}
