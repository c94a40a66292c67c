#include "serial/CommTrace.h"

#include <new>
#include <system_error>

Q_LOGGING_CATEGORY(lcSerial, "rovana.serial", QtInfoMsg)

bool CommTrace::enabled() { return lcSerial().isDebugEnabled(); }

void CommTrace::line(const QString &text)
{
    if (enabled())
        qCDebug(lcSerial).noquote() << text;
}

void CommTrace::systemError(const QString &prefix, int error)
{
    if (enabled())
        qCDebug(lcSerial).noquote() << systemErrorText(prefix, error);
}

QString CommTrace::systemErrorText(const QString &prefix, int error)
{
    try {
        const std::string text = std::generic_category().message(error);
        return prefix + QStringLiteral("GetLastError returned: \"") + QString::fromStdString(text) +
               QLatin1Char('"');
    } catch (const std::bad_alloc &) {
        return prefix + QStringLiteral("Out of memory");
    }
}
