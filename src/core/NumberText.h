#pragma once

#include <QLocale>
#include <QString>

// NumberText(pattern, value): "0" rounds to a whole number, "0.0", "0.000" and "0.0000"
// give one, three and four decimals, with the locale's decimal separator. Halves round
// away from zero.
class NumberText {
public:
    static QString format(const QString &pattern, double value, const QLocale &locale = QLocale());
};
