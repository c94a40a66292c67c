#include "gps/Tgps_rmc.h"

#include "gps/NmeaField.h"
#include "gps/TBrkApart.h"

std::optional<QString> Tgps_rmc::field(qsizetype n) const
{
    if (n >= m_fields.size())
        return std::nullopt;
    return m_fields[n];
}

void Tgps_rmc::ParseLine()
{
    m_fields = TBrkApart::split(GPSDataLine, QStringLiteral(","), false);
    if (!GPSDataLine.contains(QLatin1String("$GPRMC")))
        return;
    if (!field(1)) // the time: read, not used
        return;
    const std::optional<QString> speed = field(7);
    if (!speed)
        return;
    sog = NmeaField::decimal(*speed).value_or(0.0);
    const std::optional<QString> course = field(8);
    if (!course)
        return;
    cog = *course;
    const std::optional<QString> date = field(9);
    if (!date)
        return;
    GPSDate = *date;
}
