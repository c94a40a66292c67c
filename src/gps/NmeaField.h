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

    // The degrees of a position field: its first 3 characters when it is exactly 10
    // characters long ("00714.4555"), else its first 2 ("5121.5792").
    static QStringView degreesText(const QString &field);
    // The minutes: 7 characters after the degrees.
    static QStringView minutesText(const QString &field);
};
