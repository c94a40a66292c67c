#include "gps/CameraWarning.h"

#include "core/PositionSource.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "core/SharedValues.h"
#include "gps/CameraWarningView.h"
#include "gps/RadarBin.h"
#include "platform/SoundPlayer.h"

#include <QFile>
#include <QFileInfo>

namespace {
void call(const std::function<void()> &f)
{
    if (f)
        f();
}
} // namespace

CameraWarning::CameraWarning(Window window, QObject *parent)
    : QObject(parent), m_w(std::move(window))
{
    AlertDisappearTimer.setInterval(AlertMs);
    connect(&AlertDisappearTimer, &QTimer::timeout, this, &CameraWarning::AlertDisappearTimerTimer);
    m_w.view.setLimitText(QString());
    m_w.view.setDistanceText(QString());
    m_w.view.setSecondDistanceText(QString());
    m_w.view.showAlertPicture(false);
    m_w.view.showMap(m_map.bitmap());
    m_w.positions.subscribe([this](const Fix &fix) { onFix(fix); });
}

// --- the camera table ------------------------------------------------------------------

void CameraWarning::loadradar(const QString &path)
{
    const auto say = [this](const QString &line) {
        if (m_w.addSystemMessage)
            m_w.addSystemMessage(line);
    };
    if (!QFileInfo::exists(path)) {
        say(QStringLiteral("file radar.bin not found - speed control system disabled"));
        return;
    }
    // The whole file in one read; a file beyond the table's bound is read up to it.
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(RadarBin::MaxRecords * RadarBin::RecordSize + RadarBin::RecordSize);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        say(QStringLiteral("Error in loadradar subroutine"));
        bytes.clear();
    }
    file.close();
    RadarBin::Parsed parsed = RadarBin::parse(bytes);
    m_table = CameraTable(std::move(parsed.records));
    if (parsed.skipped > 0)
        say(QStringLiteral("radar.bin: %1 records skipped - no valid position")
                .arg(parsed.skipped));
    if (parsed.truncated)
        say(QStringLiteral("radar.bin: only the first %1 records loaded")
                .arg(RadarBin::MaxRecords));
    else if (parsed.tailBytes > 0)
        say(QStringLiteral("radar.bin: %1 bytes of a partial last record ignored")
                .arg(parsed.tailBytes));
    say(QStringLiteral("Radar list created - items=") + QString::number(m_table.CameraCount()));
}

void CameraWarning::loadBackground(const QString &path)
{
    m_map.setBackground(QImage(path));
    m_w.view.showMap(m_map.background());
}

void CameraWarning::setPictureLight(qreal light)
{
    m_map.setBackgroundLight(light);
    m_map.DrawRadarMap(m_scaleKm, m_warningKm, m_w.shared.RadarSystemOn, m_lastRebuilt,
                       m_check.MapEntries);
    m_w.view.showMap(m_map.bitmap());
}

// The warning's "On"/"Off" and the status line's "POI" as the switch stands.
void CameraWarning::showSwitchState()
{
    const bool on = m_w.shared.RadarSystemOn;
    m_w.view.setSystemMessage(on ? QStringLiteral("On") : QStringLiteral("Off"));
    if (m_w.showIndicator)
        m_w.showIndicator(on);
}

// --- the map and the check -------------------------------------------------------------

void CameraWarning::setScale(double km) { m_scaleKm = RadarMap::usableScale(km); }

void CameraWarning::setWarningDistance(double km) { m_warningKm = km; }

void CameraWarning::onFix(const Fix &fix)
{
    m_fix = fix;
    if (!m_w.shared.RadarSystemOn)
        return;
    try {
        seekartePaint();
    } catch (...) {
        if (m_w.addSystemMessage)
            m_w.addSystemMessage(QStringLiteral("Error in checkforradar routine"));
    }
}

void CameraWarning::seekartePaint()
{
    const bool on = m_w.shared.RadarSystemOn;
    const bool rebuilt = on && checkCameras(m_map.listCoverageKm(m_scaleKm));
    m_lastRebuilt = rebuilt;
    m_map.DrawRadarMap(m_scaleKm, m_warningKm, on, rebuilt, m_check.MapEntries);
    m_w.view.showMap(m_map.bitmap());
}

bool CameraWarning::checkCameras(double coverageKm)
{
    // The satellite count in the two digits GGA carries it in ("00": none); nothing
    // before the first fix.
    const QString satNum =
        m_fix ? QString::number(m_fix->satellites).rightJustified(2, QLatin1Char('0')) : QString();
    const bool current = m_fix && m_fix->valid;
    const CameraCheck::Result result =
        m_check.run(m_table, m_w.shared.gps, satNum, coverageKm, current);
    if (result.rebuilt)
        m_w.view.setSecondDistanceText(result.secondText);
    m_w.view.setSatellitesOk(result.satellitesOk);
    m_w.view.setLimitText(result.limitText);
    m_w.view.setDistanceText(result.distanceText);
    if (m_w.shared.RadarSystemOn && m_check.alerts(result, m_warningKm))
        raiseAlert();
    return result.rebuilt;
}

// --- the alert -------------------------------------------------------------------------

// Every alerting fix sounds again and holds the alert 5 s longer.
void CameraWarning::raiseAlert()
{
    const QString sound = m_w.warningSound ? m_w.warningSound() : QString();
    if (!sound.isEmpty())
        m_w.sound.play(sound);
    m_w.view.showAlertPicture(true);
    if (m_countdown.start)
        m_countdown.start(AlertMs);
    else
        AlertDisappearTimer.start(AlertMs);
    m_w.screens.setTitle(QStringLiteral("POI"));
    const int showing = m_w.screens.activeScreen();
    if (showing != Screen::Radar)
        m_w.shared.AlertReturnPage = showing;
    m_w.screens.showScreen(Screen::Radar);
    call(m_w.hideVideo);
    emit alertShown(true);
}

void CameraWarning::useCountdown(Countdown countdown)
{
    AlertDisappearTimer.stop();
    m_countdown = std::move(countdown);
}

void CameraWarning::AlertDisappearTimerTimer()
{
    m_w.view.showAlertPicture(false);
    showSwitchState();
    // The screen the alert interrupted comes back with its title (and a film with it).
    m_w.screens.returnAfterAlert(m_w.shared.AlertReturnPage);
    if (m_countdown.stop)
        m_countdown.stop();
    AlertDisappearTimer.stop();
    emit alertShown(false);
}
