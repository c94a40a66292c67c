#include "gps/GpsReception.h"

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "gps/FixUpdate.h"
#include "gps/NavigationText.h"
#include "gps/NmeaFrame.h"

#include <QByteArray>

#include <chrono>
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

constexpr double KmhPerKnot = 1.852;

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
}

void GpsReception::VSSComm321ReceiveData(const char *Buffer, quint16 BufferLength)
{
    call(m_hooks.dataArrived);
    if (!Buffer)
        return;
    // Bytes as Latin-1: every byte is some character, so nothing is lost or invalid.
    const QString chunk = QString::fromLatin1(Buffer, qsizetype(qstrnlen(Buffer, BufferLength)));
    processLines(m_joiner.feed(chunk), Source::Line);
}

void GpsReception::ProcessNmeaText(const QString &text)
{
    processLines(text.split(QLatin1String("\r\n"), Qt::SkipEmptyParts), Source::Program);
}

// One burst: when the combined talker sends a GGA or RMC among others, it is used.
void GpsReception::processLines(const QStringList &lines, Source source)
{
    std::vector<NmeaFrame> frames;
    frames.reserve(size_t(lines.size()));
    for (const QString &line : lines) {
        NmeaFrame frame = NmeaFrame::of(line);
        if (source == Source::Line && frame.checksum() == NmeaFrame::Checksum::Bad) {
            traceDropped(frame);
            continue;
        }
        frames.push_back(std::move(frame));
        const NmeaFrame &f = frames.back();
        if (f.talker() == TalkerChoice::Combined) {
            if (f.is(QLatin1StringView("GGA")))
                m_ggaTalker.prefer(f.talker());
            if (f.is(QLatin1StringView("RMC")))
                m_rmcTalker.prefer(f.talker());
        }
    }
    for (const NmeaFrame &f : frames) {
        if (f.is(QLatin1StringView("GGA")) && m_ggaTalker.accept(f.talker())) {
            gps_gga1.GPSDataLine = f.text();
            gps_gga1.ParseLine();
            m_hasFix = gps_gga1.fixValid();
            fixUpdate();
        }
        if (f.is(QLatin1StringView("RMC")) && m_rmcTalker.accept(f.talker())) {
            gps_rmc1.GPSDataLine = f.text();
            gps_rmc1.ParseLine();
        }
    }
    if (m_shared.RadarSystemOn)
        showReadOuts();
    m_fixes.publish(fix());
}

void GpsReception::subscribe(Subscriber subscriber) { m_fixes.subscribe(std::move(subscriber)); }

Fix GpsReception::fix() const
{
    Fix f;
    f.time = gps_gga1.UTCTime;
    f.latitude = m_shared.gps.DecimalLatitude;
    f.longitude = m_shared.gps.DecimalLongitude;
    f.altitude = gps_gga1.dUNN;
    f.speedKmh = gps_rmc1.sog * KmhPerKnot;
    f.course = m_shared.gps.ComputedCourse;
    f.satellites = gps_gga1.SatNum.toInt();
    f.quality = gps_gga1.quality();
    f.valid = m_hasFix;
    return f;
}

// A sentence whose checksum does not match is dropped, with one trace line at most every
// DropTraceMs that counts the ones dropped meanwhile.
void GpsReception::traceDropped(const NmeaFrame &frame)
{
    const qint64 now = nowMs();
    if (m_dropTraced && now - m_lastDropTrace < DropTraceMs) {
        ++m_dropsUntraced;
        return;
    }
    QString message = QStringLiteral("GPS: checksum error, sentence dropped: ") + frame.text();
    if (m_dropsUntraced > 0)
        message += QStringLiteral(" (and %1 more)").arg(m_dropsUntraced);
    if (m_hooks.systemMessage)
        m_hooks.systemMessage(message);
    m_dropTraced = true;
    m_lastDropTrace = now;
    m_dropsUntraced = 0;
}

qint64 GpsReception::nowMs() const
{
    if (m_hooks.clockMs)
        return m_hooks.clockMs();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A sentence without a usable fix (no fix, fields missing, numbers unreadable) leaves the
// position and the odometer alone; the read-outs still show what it carried.
void GpsReception::fixUpdate()
{
    if (!m_hasFix)
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

void GpsReception::showReadOuts()
{
    try {
        if (m_hooks.showNavigation)
            m_hooks.showNavigation(
                NavigationText::of(gps_gga1, gps_rmc1, m_shared.gps.ComputedCourse));
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
