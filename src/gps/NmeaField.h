#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// How the sentence parsers read a field. Numbers use "." as the decimal point whatever
// the locale, which is what the receiver sends.
class NmeaField {
public:
    // Optional sign and decimal digits, within 32 bits; nothing else.
    static std::optional<qint32> integer(QStringView text);
    // Optional sign, digits with at most one ".", an optional exponent; finite values only.
    static std::optional<double> decimal(QStringView text);

    // A latitude or longitude field, ddmm.mmmm or dddmm.mmmm with any number of decimals:
    // the minutes are everything from two digits before the decimal point on, the degrees
    // what stands before them. Nothing when the field has no decimal point, holds anything
    // but digits, has more degree digits than the kind allows, minutes of 60 or more, or
    // lies beyond 90 (180) degrees.
    struct Position {
        qint32 degrees = 0;
        double minutes = 0.0;
    };
    static std::optional<Position> latitude(QStringView field);
    static std::optional<Position> longitude(QStringView field);

private:
    static std::optional<Position> position(QStringView field, qsizetype degreeDigits,
                                            qint32 maxDegrees);
};
