#include "core/NumberText.h"

#include <cmath>

QString NumberText::format(const QString &pattern, double value, const QLocale &locale)
{
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    QString text = locale.toString(rounded, 'f', decimals);
    text.remove(locale.groupSeparator());
    return text;
}
