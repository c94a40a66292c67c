#pragma once

#include <QString>
#include <QTime>

// The program-wide long time format: "hh:mm:ss", except while the clock tick (and a
// clock step of the drivers log) has switched it to "hh:mm". Every time-of-day text of
// the program (trace lines, log entries) is made through it.
class LongTimeFormat {
public:
    static QString pattern();
    static void setPattern(const QString &pattern);
    static QString format(const QTime &time);

    static inline const char *const Seconds = "hh:mm:ss";
    static inline const char *const Minutes = "hh:mm";
};
