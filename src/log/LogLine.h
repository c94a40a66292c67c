#pragma once

#include <QDate>
#include <QString>

// The text of the drivers log: one comma-separated line per entry, one file per month.
class LogLine {
public:
    // "Sunday" .. "Saturday" whatever the locale; Qt's day 1 is Monday, 7 Sunday.
    static QString weekday(const QDate &date);
    // Month without leading zero, "-", four-digit year, ".LOG": "12-2004.LOG".
    static QString fileName(const QDate &date);
    // Only the letters a..z become capitals; accented letters and the rest stay.
    static QString capitals(const QString &text);
    // weekday + "," + capitals(date,time,km,place,note); control characters of the
    // outside texts become spaces so that an entry stays one line.
    static QString compose(const QString &weekday, const QString &date, const QString &time,
                           const QString &km, const QString &place, const QString &note);
};
