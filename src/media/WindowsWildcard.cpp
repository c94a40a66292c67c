#include "media/WindowsWildcard.h"

#include <cstring>

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// "*" and a literal ("*.mp3", the usual mask): the name ends with the literal. The star
// takes whole characters, so the literal must begin a character, as its first byte does.
bool starSuffix(const char *p, const char *n, bool &matched)
{
    if (p[0] != '*' || continuationByte(p[1]) || std::strpbrk(p + 1, "*?") != nullptr)
        return false;
    const size_t literal = std::strlen(p + 1);
    const size_t length = std::strlen(n);
    matched = literal <= length;
    for (size_t i = 0; matched && i < literal; ++i)
        matched = lowerAscii(p[1 + i]) == lowerAscii(n[length - literal + i]);
    return true;
}

// Glob match of p against n, both NUL-terminated; "?" takes one UTF-8 character.
bool glob(const char *p, const char *n)
{
    bool matched = false;
    if (starSuffix(p, n, matched))
        return matched;
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

WindowsWildcard::Pattern WindowsWildcard::compile(const QByteArray &text)
{
    if (text.endsWith(".*"))
        return {text, text.chopped(2), Ending::AnyExtension};
    if (text.endsWith('.'))
        return {text, text.chopped(1), Ending::NoExtension};
    return {text, {}, Ending::Plain};
}

WindowsWildcard::WindowsWildcard(const QString &mask)
{
    for (const QString &piece : mask.split(QLatin1Char(';'))) {
        const QString trimmed = piece.trimmed();
        if (!trimmed.isEmpty())
            m_patterns.append(compile(trimmed.toUtf8()));
    }
}

bool WindowsWildcard::matches(const char *name, bool isDirectory) const
{
    for (const Pattern &p : m_patterns) {
        if (matchCompiled(p, name, isDirectory))
            return true;
    }
    return false;
}

bool WindowsWildcard::matchPattern(const char *pattern, const char *name, bool isDirectory)
{
    return matchCompiled(compile(QByteArray(pattern)), name, isDirectory);
}

bool WindowsWildcard::matchCompiled(const Pattern &pattern, const char *name, bool isDirectory)
{
    const bool hasDot = isDirectory ? false : std::strchr(name, '.') != nullptr;
    // "x.*" also takes names without an extension, as "*.*" takes every name.
    if (pattern.ending == Ending::AnyExtension && !hasDot && glob(pattern.stem.constData(), name))
        return true;
    // "x." : names without an extension matched against "x".
    if (pattern.ending == Ending::NoExtension)
        return !hasDot && glob(pattern.stem.constData(), name);
    return glob(pattern.text.constData(), name);
}
