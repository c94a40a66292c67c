#include "gps/Tgps_gga.h"

#include "gps/NmeaField.h"
#include "gps/TBrkApart.h"

namespace {
constexpr qsizetype FixQualityField = 6;
}

std::optional<QString> Tgps_gga::field(qsizetype n) const
{
    if (n >= m_fields.size())
        return std::nullopt;
    return m_fields[n];
}

double Tgps_gga::number(const QString &text)
{
    const std::optional<double> value = NmeaField::decimal(text);
    if (!value)
        m_conversionFailed = true;
    return value.value_or(ConversionFailed);
}

bool Tgps_gga::readPosition(qsizetype n, qint32 &degrees, double &minutes)
{
    const std::optional<QString> f = field(n);
    if (!f)
        return false;
    const std::optional<qint32> d = NmeaField::integer(NmeaField::degreesText(*f));
    if (!d)
        return false;
    degrees = *d;
    minutes = number(NmeaField::minutesText(*f).toString());
    return true;
}

// The steps in their fixed order; false ends the parse at the step that failed.
bool Tgps_gga::parseSteps()
{
    auto text = [this](qsizetype n, QString &into) {
        const std::optional<QString> f = field(n);
        if (f)
            into = *f;
        return f.has_value();
    };
    if (!text(1, UTCTime) || !text(7, SatNum))
        return false;
    if (!readPosition(2, dLatDegree, dLatMin) || !text(3, dLatNS))
        return false;
    if (!readPosition(4, dLonDegree, dLonMin) || !text(5, dLonEW))
        return false;
    if (!text(7, SatNum))
        return false;
    const std::optional<QString> height = field(9);
    if (!height)
        return false;
    dUNN = number(*height);
    return true;
}

bool Tgps_gga::fixQualitySet() const
{
    const std::optional<QString> quality = field(FixQualityField);
    if (!quality)
        return false;
    const std::optional<qint32> q = NmeaField::integer(*quality);
    return q && *q != 0;
}

void Tgps_gga::ParseLine()
{
    m_fields = TBrkApart::split(GPSDataLine, QStringLiteral(","), false);
    m_fixValid = false;
    if (!GPSDataLine.contains(QLatin1String("$GPGGA")))
        return;
    m_conversionFailed = false;
    const bool complete = parseSteps();
    m_fixValid = complete && !m_conversionFailed && fixQualitySet();
}
