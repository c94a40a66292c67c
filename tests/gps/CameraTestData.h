#pragma once

#include "core/GpsValues.h"
#include "gps/CameraRecord.h"
#include "gps/NavFormula.h"

#include <QString>

#include <cmath>
#include <numbers>

// Positions for the camera tests: fixes in degrees and minutes, and cameras placed at a
// distance and bearing from a point on the sphere the formulas use.
namespace CameraTestData {

constexpr double KmPerRadian = NavFormula::KmPerRadian;
constexpr double Rad = std::numbers::pi / 180.0;

inline NavFix fixAt(double latitude, double longitude)
{
    NavFix fix;
    fix.LatDegrees = qint32(std::trunc(latitude));
    fix.LatMinutes = (latitude - fix.LatDegrees) * 60.0;
    fix.LonDegrees = qint32(std::trunc(longitude));
    fix.LonMinutes = (longitude - fix.LonDegrees) * 60.0;
    return fix;
}

// "$" + body + "*" + the checksum of the body, as a receiver sends a sentence.
inline QString nmeaFramed(const QString &body)
{
    uint sum = 0;
    for (const QChar c : body)
        sum ^= c.unicode();
    return QStringLiteral("$%1*%2\r\n").arg(body).arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

// "5121.0000,N,00714.4000,E": a place, degrees north and east, as NMEA writes it.
inline QString nmeaPosition(double latitude, double longitude)
{
    const auto field = [](double value, int degreeDigits) {
        const int degrees = int(value);
        return QStringLiteral("%1%2")
            .arg(degrees, degreeDigits, 10, QLatin1Char('0'))
            .arg((value - degrees) * 60.0, 7, 'f', 4, QLatin1Char('0'));
    };
    return field(latitude, 2) + QStringLiteral(",N,") + field(longitude, 3) + QStringLiteral(",E");
}

// A GGA sentence with a fix (7 satellites) at the place.
inline QString ggaAt(double latitude, double longitude)
{
    return nmeaFramed(QStringLiteral("GPGGA,120000,%1,1,07,01.1,00153.8,M,086.0,M,,")
                          .arg(nmeaPosition(latitude, longitude)));
}

// The car's home in the camera tests.
inline const NavFix Home = fixAt(51.359633, 7.240867);

inline double latitudeOf(const NavFix &fix) { return fix.LatDegrees + fix.LatMinutes / 60.0; }
inline double longitudeOf(const NavFix &fix) { return fix.LonDegrees + fix.LonMinutes / 60.0; }

// The point km away from (latitude, longitude) on the given course (degrees, clockwise
// from north), east positive.
inline CameraRecord cameraFrom(double latitude, double longitude, double km, double course,
                               qint32 limit)
{
    const double d = km / KmPerRadian;
    const double lat1 = latitude * Rad;
    const double lon1 = longitude * Rad;
    const double t = course * Rad;
    const double lat2 =
        std::asin(std::sin(lat1) * std::cos(d) + std::cos(lat1) * std::sin(d) * std::cos(t));
    const double lon2 = lon1 + std::atan2(std::sin(t) * std::sin(d) * std::cos(lat1),
                                          std::cos(d) - std::sin(lat1) * std::sin(lat2));
    return {lat2 / Rad, lon2 / Rad, limit};
}

inline CameraRecord cameraFrom(const NavFix &fix, double km, double course, qint32 limit)
{
    return cameraFrom(latitudeOf(fix), longitudeOf(fix), km, course, limit);
}

} // namespace CameraTestData
