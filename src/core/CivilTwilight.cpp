#include "core/CivilTwilight.h"

#include <QTimeZone>

#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;
constexpr double TwilightZenith = 96.0; // 90 + 6 degrees

double rad(double degrees) { return degrees * Degree; }
double deg(double radians) { return radians / Degree; }

// Julian centuries since J2000.0 of a moment given as a UTC day and minutes past midnight.
double centuries(QDate date, double minutes)
{
    const double julianDay = double(date.toJulianDay()) - 0.5 + minutes / 1440.0;
    return (julianDay - 2451545.0) / 36525.0;
}

struct Sun {
    double declination;    // radians
    double equationOfTime; // minutes
};

Sun sunAt(double t)
{
    const double meanLongitude = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
    const double anomaly = rad(357.52911 + t * (35999.05029 - 0.0001537 * t));
    const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double centre = std::sin(anomaly) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                          std::sin(2 * anomaly) * (0.019993 - 0.000101 * t) +
                          std::sin(3 * anomaly) * 0.000289;
    const double omega = rad(125.04 - 1934.136 * t);
    const double apparent = rad(meanLongitude + centre - 0.00569 - 0.00478 * std::sin(omega));
    const double meanObliquity =
        23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    const double obliquity = rad(meanObliquity + 0.00256 * std::cos(omega));
    const double y = std::pow(std::tan(obliquity / 2), 2);
    const double l0 = rad(meanLongitude);
    const double equation = y * std::sin(2 * l0) - 2 * eccentricity * std::sin(anomaly) +
                            4 * eccentricity * y * std::sin(anomaly) * std::cos(2 * l0) -
                            0.5 * y * y * std::sin(4 * l0) -
                            1.25 * eccentricity * eccentricity * std::sin(2 * anomaly);
    return {std::asin(std::sin(obliquity) * std::sin(apparent)), 4 * deg(equation)};
}

// Cosine of the hour angle at which the sun crosses the twilight line; outside [-1, 1]
// it never does that day.
double crossingCosine(double latitude, const Sun &sun)
{
    const double phi = rad(latitude);
    return std::cos(rad(TwilightZenith)) / (std::cos(phi) * std::cos(sun.declination)) -
           std::tan(phi) * std::tan(sun.declination);
}

// Minutes past the day's UTC midnight of the morning (side -1) or evening (+1) crossing,
// worked out again with the sun of the moment found, which settles within a second.
std::optional<double> crossing(QDate date, double latitude, double longitude, int side)
{
    double minutes = 720.0 - 4.0 * longitude;
    for (int pass = 0; pass < 3; ++pass) {
        const Sun sun = sunAt(centuries(date, minutes));
        const double c = crossingCosine(latitude, sun);
        if (c < -1.0 || c > 1.0)
            return std::nullopt;
        const double noon = 720.0 - 4.0 * longitude - sun.equationOfTime;
        minutes = noon + side * 4.0 * deg(std::acos(c));
    }
    return minutes;
}

QDateTime at(QDate date, double minutes)
{
    return QDateTime(date, QTime(0, 0), QTimeZone::utc())
        .addMSecs(qint64(std::llround(minutes * 60000.0)));
}

} // namespace

CivilTwilight::Day CivilTwilight::on(QDate date, double latitude, double longitude)
{
    Day day;
    const std::optional<double> dawn = crossing(date, latitude, longitude, -1);
    const std::optional<double> dusk = crossing(date, latitude, longitude, +1);
    if (dawn && dusk) {
        day.dawn = at(date, *dawn);
        day.dusk = at(date, *dusk);
        return day;
    }
    // No crossing: the sun at local noon tells which side of the line the day stays on.
    const Sun sun = sunAt(centuries(date, 720.0 - 4.0 * longitude));
    day.allDay = crossingCosine(latitude, sun) < -1.0;
    return day;
}

bool CivilTwilight::isNight(const QDateTime &utc, double latitude, double longitude)
{
    const QDateTime moment = utc.toUTC();
    // A place's daylight may start or end on the UTC day before or after the moment's.
    for (int offset = -1; offset <= 1; ++offset) {
        const QDate date = moment.date().addDays(offset);
        const Day day = on(date, latitude, longitude);
        if (day.dawn && day.dusk && *day.dawn <= moment && moment < *day.dusk)
            return false;
        if (day.allDay) {
            const QDateTime noon = at(date, 720.0 - 4.0 * longitude);
            if (qAbs(noon.secsTo(moment)) <= 12 * 3600)
                return false;
        }
    }
    return true;
}
