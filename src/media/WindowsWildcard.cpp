#include "media/WindowsWildcard.h"

#include <cstring>

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Glob match of p against n, both NUL-terminated; "?" takes one UTF-8 character.
bool glob(const char *p, const char *n)
{
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*n) {
        if (*p == '*') {
            star = ++p;
            resume = n;
            continue;
        }
        if (*p == '?') {
            ++p;
            ++n;
            while (continuationByte(*n))
                ++n;
            continue;
        }
        if (*p && lowerAscii(*p) == lowerAscii(*n)) {
            ++p;
            ++n;
            continue;
        }
        if (!star)
            return false;
        // Let the last star take one more character and try again from there.
        p = star;
        n = ++resume;
        while (continuationByte(*n))
            n = ++resume;
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

} // namespace

WindowsWildcard::WindowsWildcard(const QString &mask)
{
    for (const QString &piece : mask.split(QLatin1Char(';'))) {
        const QString trimmed = piece.trimmed();
        if (!trimmed.isEmpty())
            m_patterns.append(trimmed.toUtf8());
    }
}

bool WindowsWildcard::matches(const char *name, bool isDirectory) const
{
    for (const QByteArray &p : m_patterns) {
        if (matchPattern(p.constData(), name, isDirectory))
            return true;
    }
    return false;
}

bool WindowsWildcard::matchPattern(const char *pattern, const char *name, bool isDirectory)
{
    const size_t len = std::strlen(pattern);
    const bool hasDot = isDirectory ? false : std::strchr(name, '.') != nullptr;
    if (len >= 2 && std::strcmp(pattern + len - 2, ".*") == 0 && !hasDot) {
        // "x.*" also takes names without an extension, as "*.*" takes every name.
        const QByteArray stem(pattern, qsizetype(len - 2));
        if (glob(stem.constData(), name))
            return true;
    }
    if (len >= 1 && pattern[len - 1] == '.') {
        // "x." : names without an extension matched against "x".
        if (hasDot)
            return false;
        const QByteArray stem(pattern, qsizetype(len - 1));
        return glob(stem.constData(), name);
    }
    return glob(pattern, name);
}
