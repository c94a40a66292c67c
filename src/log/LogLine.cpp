#include "log/LogLine.h"

QString LogLine::weekday(const QDate &date)
{
    static const char *const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    if (!date.isValid())
        return QString();
    return QString::fromLatin1(names[date.dayOfWeek() % 7]);
}

QString LogLine::fileName(const QDate &date)
{
    return QString::number(date.month()) + QLatin1Char('-') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + QStringLiteral(".LOG");
}

QString LogLine::capitals(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString LogLine::compose(const QString &weekday, const QString &date, const QString &time,
                         const QString &km, const QString &place, const QString &note)
{
    const QChar comma = QLatin1Char(',');
    QString rest = capitals(date + comma + time + comma + km + comma + place + comma + note);
    // A line break inside the place text would split the entry in the file.
    for (QChar &c : rest) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
    return weekday + comma + rest;
}
