#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// File patterns as the lists' masks mean them: "*" and "?" wildcards, letters compared
// without regard to case, and "*." matching names without an extension. A directory has
// no extension, whatever dots its name holds, so "*." brings in every sub-directory.
class WindowsWildcard {
public:
    // The patterns of a semicolon-separated mask; blanks around them and empty ones are
    // dropped.
    explicit WindowsWildcard(const QString &mask);

    // name: the entry's name as the file system stores it (UTF-8 bytes).
    bool matches(const char *name, bool isDirectory) const;
    bool empty() const { return m_patterns.isEmpty(); }

    // One pattern against one name.
    static bool matchPattern(const char *pattern, const char *name, bool isDirectory);

private:
    enum class Ending { Plain, AnyExtension, NoExtension }; // "x", "x.*", "x."
    struct Pattern {
        QByteArray text;
        QByteArray stem; // without the ending
        Ending ending;
    };
    static Pattern compile(const QByteArray &text);
    static bool matchCompiled(const Pattern &pattern, const char *name, bool isDirectory);

    QList<Pattern> m_patterns;
};
