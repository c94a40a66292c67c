#include "gps/GpsReception.h"

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "gps/FixUpdate.h"
#include "gps/NavigationText.h"

#include <QByteArray>

#include <cmath>

namespace {

const QString TestBlock1 =
    QStringLiteral("$GPGGA,211819,5121.5778,N,00714.4522,E,1,06,01.5,00153.0,M,086.0,M,,*42\r\n"
                   "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68");
const QString TestBlock2 =
    QStringLiteral("$GPGGA,211819,5121.5780,N,00714.4529,E,1,06,01.5,00153.0,M,086.0,M,,*42\r\n"
                   "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68");
const QString TestFar =
    QStringLiteral("$GPGGA,211821,5034.6678,N,00718.4522,E,1,06,01.5,00153.0,M,086.0,M,,*42");

void call(const std::function<void()> &f)
{
    if (f)
        f();
}

// The integer part as decimal text, never "-0".
QString wholeKilometres(double km)
{
    const double whole = std::trunc(km);
    return QString::number(whole == 0.0 ? 0.0 : whole, 'f', 0);
}

} // namespace

GpsReception::GpsReception(SharedValues &shared, Hooks hooks)
    : m_shared(shared), m_hooks(std::move(hooks))
{
    BrkApart1.BreakString = QStringLiteral("\r\n");
    BrkApart1.AllowEmptyString = false;
}

void GpsReception::VSSComm321ReceiveData(const char *Buffer, quint16 BufferLength)
{
    call(m_hooks.dataArrived);
    if (!Buffer)
        return;
    // Bytes as Latin-1: every byte is some character, so nothing is lost or invalid.
    ProcessNmeaText(QString::fromLatin1(Buffer, qsizetype(qstrnlen(Buffer, BufferLength))));
}

void GpsReception::ProcessNmeaText(const QString &text)
{
    BrkApart1.BaseString = text;
    BrkApart1.BreakApart();
    for (const QString &piece : BrkApart1.StringList) {
        if (piece.contains(QLatin1String("$GPGGA"))) {
            gps_gga1.GPSDataLine = piece;
            gps_gga1.ParseLine();
            fixUpdate();
        }
        if (piece.contains(QLatin1String("$GPRMC"))) {
            gps_rmc1.GPSDataLine = piece;
            gps_rmc1.ParseLine();
        }
    }
    if (m_shared.RadarSystemOn)
        radarStep();
}

// A sentence without a usable fix (no fix, fields missing, numbers unreadable) leaves the
// position and the odometer alone; the read-outs still show what it carried.
void GpsReception::fixUpdate()
{
    if (!gps_gga1.fixValid())
        return;
    const std::optional<double> step = FixUpdate::apply(gps_gga1, m_shared.gps, m_shared.TripKm);
    if (!step)
        return;
    if (!m_hooks.tripShown)
        return;
    m_hooks.tripShown(NumberText::format(QStringLiteral("0.000"), *step) + QStringLiteral(" => ") +
                          NumberText::format(QStringLiteral("0.000"), m_shared.TripKm),
                      wholeKilometres(m_shared.TripKm));
}

void GpsReception::radarStep()
{
    try {
        if (m_hooks.showNavigation)
            m_hooks.showNavigation(
                NavigationText::of(gps_gga1, gps_rmc1, m_shared.gps.ComputedCourse));
        call(m_hooks.checkForRadar);
    } catch (...) {
        if (m_hooks.systemMessage)
            m_hooks.systemMessage(QStringLiteral("Error in checkforradar routine"));
    }
}

void GpsReception::RadarSystemMessageClick()
{
    ProcessNmeaText(TestBlock1);
    ProcessNmeaText(TestBlock2);
}

void GpsReception::RadarSensitivityLabelClick() { ProcessNmeaText(TestBlock2); }

void GpsReception::Second_RadarWarning_distanceClick() { ProcessNmeaText(TestFar); }

void GpsReception::Nav_scaleClick() { ProcessNmeaText(TestFar); }
