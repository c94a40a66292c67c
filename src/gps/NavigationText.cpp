#include "gps/NavigationText.h"

#include "core/NumberText.h"
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"

#include <cmath>

namespace {

QString position(qint32 degrees, double minutes, const QString &hemisphere, const QLocale &locale)
{
    return QString::number(degrees) + QStringLiteral("°") +
           NumberText::format(QStringLiteral("0.0000"), minutes, locale) + QLatin1Char('\'') +
           hemisphere;
}

} // namespace

double NavigationText::kmh(double knots) { return std::nearbyint(knots * 1.852); }

NavigationText NavigationText::of(const Tgps_gga &gga, const Tgps_rmc &rmc, double computedCourse,
                                  const QLocale &locale)
{
    NavigationText t;
    t.NAV_COG_Computed = QStringLiteral("COG ") +
                         NumberText::format(QStringLiteral("0"), computedCourse, locale) +
                         QStringLiteral("°");
    t.NAV_UTCTime = gga.UTCTime;
    t.NAV_SatNum = gga.SatNum + QStringLiteral(" SATs ");
    t.NAV_LAT = position(gga.dLatDegree, gga.dLatMin, gga.dLatNS, locale);
    t.NAV_LON = position(gga.dLonDegree, gga.dLonMin, gga.dLonEW, locale);
    t.NAV_HEIGHT =
        NumberText::format(QStringLiteral("0.0"), gga.dUNN, locale) + QStringLiteral(" m ASL");
    t.NAV_SOG =
        NumberText::format(QStringLiteral("0"), kmh(rmc.sog), locale) + QStringLiteral(" km/h");
    return t;
}
