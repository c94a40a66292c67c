#include "gps/Tgps_rmc.h"

#include "gps/NmeaField.h"
#include "gps/NmeaFrame.h"

namespace {
constexpr qsizetype StatusField = 2;
constexpr qsizetype SpeedField = 7;
constexpr qsizetype CourseField = 8;
constexpr qsizetype DateField = 9;
constexpr qsizetype ModeField = 12; // from NMEA 2.3 on
} // namespace

std::optional<QString> Tgps_rmc::field(qsizetype n) const
{
    if (n >= m_fields.size())
        return std::nullopt;
    return m_fields[n];
}

bool Tgps_rmc::hasFix() const
{
    return field(StatusField) == u"A" && field(ModeField).value_or(QString()) != u"N";
}

void Tgps_rmc::ParseLine()
{
    const NmeaFrame frame = NmeaFrame::of(GPSDataLine);
    if (!frame.is(QLatin1StringView("RMC")))
        return;
    m_talker = frame.talker();
    m_fields = frame.fields();
    const bool fix = hasFix();
    const std::optional<QString> speed = field(SpeedField);
    if (!speed)
        return;
    if (fix)
        sog = NmeaField::decimal(*speed).value_or(0.0);
    const std::optional<QString> course = field(CourseField);
    if (!course)
        return;
    if (fix)
        cog = *course;
    const std::optional<QString> date = field(DateField);
    if (date && !date->isEmpty())
        GPSDate = *date;
}
