#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcSerial)

// The developer trace of the serial component. It is silent unless switched on with
// QT_LOGGING_RULES="rovana.serial.debug=true"; nothing is formatted while it is off.
class CommTrace {
public:
    static bool enabled();
    static void line(const QString &text);
    // The prefix, then "GetLastError returned: " and the system's text for the error in
    // double quotes; the prefix and "Out of memory" when that text can't be had.
    static void systemError(const QString &prefix, int error);
    static QString systemErrorText(const QString &prefix, int error);
};
