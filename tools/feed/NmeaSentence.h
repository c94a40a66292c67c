#pragma once

#include "DriveFix.h"

#include <QByteArray>
#include <QByteArrayView>

// NMEA 0183 sentences as a GPS receiver sends them: "$", the fields, "*", the checksum.
// Positions are written ddmm.mmmm / dddmm.mmmm with the hemisphere letter.
class NmeaSentence {
public:
    // The XOR of the bytes between "$" and "*" as two upper-case hexadecimal digits.
    static QByteArray checksum(QByteArrayView body);
    // "$" + body + "*" + checksum of body (no line end).
    static QByteArray framed(QByteArrayView body);
    // True for "$...*HH" whose checksum matches (a line end after it is allowed).
    static bool valid(QByteArrayView sentence);

    // "5121.5792,N" and "00714.4555,E"
    static QByteArray latitude(double degrees);
    static QByteArray longitude(double degrees);

    static QByteArray gga(const DriveFix &fix);
    static QByteArray rmc(const DriveFix &fix);

private:
    static QByteArray angle(double degrees, int degreeDigits);
};
