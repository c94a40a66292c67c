#include "NmeaSentence.h"

#include <cmath>

namespace {

QByteArray fixed(double value, int decimals, int width)
{
    return QByteArray::number(value, 'f', decimals).rightJustified(width, '0');
}

QByteArray utcTime(const QDateTime &utc) { return utc.toUTC().toString("HHmmss").toLatin1(); }

QByteArray utcDate(const QDateTime &utc) { return utc.toUTC().toString("ddMMyy").toLatin1(); }

// Course with one decimal, never "360.0".
QByteArray course(double degrees)
{
    double rounded = std::round(degrees * 10) / 10;
    if (rounded >= 360.0 || rounded < 0)
        rounded = 0;
    return fixed(rounded, 1, 5);
}

} // namespace

QByteArray NmeaSentence::checksum(QByteArrayView body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QByteArray NmeaSentence::framed(QByteArrayView body)
{
    return '$' + body.toByteArray() + '*' + checksum(body);
}

bool NmeaSentence::valid(QByteArrayView sentence)
{
    while (!sentence.isEmpty() && (sentence.back() == '\n' || sentence.back() == '\r'))
        sentence.chop(1);
    const qsizetype star = sentence.size() - 3;
    if (sentence.size() < 4 || sentence.front() != '$' || sentence[star] != '*')
        return false;
    return checksum(sentence.sliced(1, star - 1)) == sentence.sliced(star + 1);
}

QByteArray NmeaSentence::angle(double degrees, int degreeDigits)
{
    const double magnitude = std::fabs(degrees);
    int whole = int(magnitude);
    double minutes = std::round((magnitude - whole) * 60 * 10000) / 10000;
    if (minutes >= 60.0) {
        whole += 1;
        minutes = 0;
    }
    return QByteArray::number(whole).rightJustified(degreeDigits, '0') + fixed(minutes, 4, 7);
}

QByteArray NmeaSentence::latitude(double degrees)
{
    return angle(degrees, 2) + (degrees < 0 ? ",S" : ",N");
}

QByteArray NmeaSentence::longitude(double degrees)
{
    return angle(degrees, 3) + (degrees < 0 ? ",W" : ",E");
}

QByteArray NmeaSentence::gga(const DriveFix &fix)
{
    const QByteArray body = "GPGGA," + utcTime(fix.utc) + ',' + latitude(fix.position.latitude) +
                            ',' + longitude(fix.position.longitude) + ",1," +
                            QByteArray::number(fix.satellites).rightJustified(2, '0') + ",0.9," +
                            fixed(fix.altitudeMetres, 1, 1) + ",M,46.9,M,,";
    return framed(body);
}

QByteArray NmeaSentence::rmc(const DriveFix &fix)
{
    const QByteArray body = "GPRMC," + utcTime(fix.utc) + ",A," + latitude(fix.position.latitude) +
                            ',' + longitude(fix.position.longitude) + ',' +
                            fixed(fix.speedKnots, 1, 5) + ',' + course(fix.courseDegrees) + ',' +
                            utcDate(fix.utc) + ",,,A";
    return framed(body);
}
