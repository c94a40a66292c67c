#include "gps/NmeaField.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Skips a run of digits from i; returns how many there were.
qsizetype digits(QStringView text, qsizetype &i)
{
    const qsizetype start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i - start;
}

bool isSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

// True when text is [sign] digits [. digits] [e [sign] digits] with at least one digit
// before the exponent.
bool isDecimalSyntax(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && isSign(text[i]))
        ++i;
    qsizetype mantissa = digits(text, i);
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        mantissa += digits(text, i);
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < text.size() && isSign(text[i]))
            ++i;
        if (digits(text, i) == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

std::optional<qint32> NmeaField::integer(QStringView text)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == QLatin1Char('-');
    if (!text.isEmpty() && isSign(text[0]))
        ++i;
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i].unicode() - '0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

std::optional<double> NmeaField::decimal(QStringView text)
{
    if (!isDecimalSyntax(text))
        return std::nullopt;
    // from_chars takes no "+" and never looks at the locale.
    std::string ascii = text.toLatin1().toStdString();
    if (ascii.front() == '+')
        ascii.erase(0, 1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<NmeaField::Position> NmeaField::latitude(QStringView field)
{
    return position(field, 2, 90);
}

std::optional<NmeaField::Position> NmeaField::longitude(QStringView field)
{
    return position(field, 3, 180);
}

std::optional<NmeaField::Position> NmeaField::position(QStringView field, qsizetype degreeDigits,
                                                       qint32 maxDegrees)
{
    const qsizetype point = field.indexOf(QLatin1Char('.'));
    if (point < 2 || point - 2 > degreeDigits)
        return std::nullopt;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (i != point && !isDigit(field[i]))
            return std::nullopt;
    }
    Position p;
    const QStringView degrees = field.first(point - 2);
    if (!degrees.isEmpty())
        p.degrees = *integer(degrees); // at most three digits: always fits
    const std::optional<double> minutes = decimal(field.sliced(point - 2));
    if (!minutes || *minutes >= 60.0)
        return std::nullopt;
    p.minutes = *minutes;
    if (p.degrees + p.minutes / 60.0 > maxDegrees)
        return std::nullopt;
    return p;
}
