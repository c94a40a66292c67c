#include "core/LongTimeFormat.h"

namespace {
// Part of the shell's own state, like the main colour: one format for the whole program.
QString &current()
{
    static QString pattern = QString::fromLatin1(LongTimeFormat::Seconds);
    return pattern;
}
} // namespace

QString LongTimeFormat::pattern() { return current(); }

void LongTimeFormat::setPattern(const QString &pattern) { current() = pattern; }

QString LongTimeFormat::format(const QTime &time) { return time.toString(current()); }
