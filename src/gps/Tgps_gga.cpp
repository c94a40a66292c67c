#include "gps/Tgps_gga.h"

#include "gps/NmeaField.h"
#include "gps/NmeaFrame.h"

namespace {
constexpr qsizetype TimeField = 1;
constexpr qsizetype LatitudeField = 2;
constexpr qsizetype FixQualityField = 6;
constexpr qsizetype SatellitesField = 7;
constexpr qsizetype HeightField = 9;
} // namespace

std::optional<QString> Tgps_gga::field(qsizetype n) const
{
    if (n >= m_fields.size())
        return std::nullopt;
    return m_fields[n];
}

// Both coordinates with their hemispheres, or nothing of them.
bool Tgps_gga::readPosition()
{
    const auto f = [this](qsizetype n) {
        return field(n).value_or(QString());
    };
    const QString ns = f(LatitudeField + 1);
    const QString ew = f(LatitudeField + 3);
    const auto lat = NmeaField::latitude(f(LatitudeField));
    const auto lon = NmeaField::longitude(f(LatitudeField + 2));
    if (!lat || !lon || (ns != u"N" && ns != u"S") || (ew != u"E" && ew != u"W"))
        return false;
    dLatDegree = lat->degrees;
    dLatMin = lat->minutes;
    dLatNS = ns;
    dLonDegree = lon->degrees;
    dLonMin = lon->minutes;
    dLonEW = ew;
    return true;
}

// An empty height (no fix) leaves the last one; an unreadable one reads 999999.
void Tgps_gga::readHeight()
{
    const std::optional<QString> height = field(HeightField);
    if (height && !height->isEmpty())
        dUNN = NmeaField::decimal(*height).value_or(ConversionFailed);
}

qint32 Tgps_gga::readQuality() const
{
    const std::optional<qint32> q = NmeaField::integer(field(FixQualityField).value_or(QString()));
    return q && *q > 0 ? *q : 0;
}

void Tgps_gga::ParseLine()
{
    m_fixValid = false;
    m_quality = 0;
    const NmeaFrame frame = NmeaFrame::of(GPSDataLine);
    if (!frame.is(QLatin1StringView("GGA")))
        return;
    m_talker = frame.talker();
    m_fields = frame.fields();
    const std::optional<QString> time = field(TimeField);
    if (!time)
        return;
    UTCTime = *time;
    const bool position = readPosition();
    const std::optional<QString> satellites = field(SatellitesField);
    if (satellites)
        SatNum = satellites->isEmpty() ? QStringLiteral("00") : *satellites;
    readHeight();
    m_quality = readQuality();
    m_fixValid = position && m_quality > 0 && satellites.has_value();
}
