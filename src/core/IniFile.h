#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A private-profile ("ini") file held in memory. Section and key names match without
// regard to case; the first matching section and key win. Writing a key replaces its
// value in place or appends it to its section (and the section to the end of the file);
// every other line is kept byte for byte, so keys we do not know survive a save.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QByteArray &bytes);

    // An absent or unreadable file gives an empty profile: every key reads its default.
    static IniFile load(const QString &path);

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x" or "$"; anything else reads as the default.
    qint32 readInteger(const QString &section, const QString &key, qint32 def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, qint32 value);
    void writeBool(const QString &section, const QString &key, bool value);

    QByteArray toBytes() const;

    // Replaces the file at path in one step: the new content goes to a file beside it,
    // is flushed to the disk and renamed over the old one, so a power loss leaves either
    // the old or the new file, never a broken one. Returns false on any failure.
    bool save(const QString &path) const;

    static std::optional<qint32> parseInteger(const QString &text);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray raw;  // without its line end
        Kind kind = Kind::Other;
        QString name;    // section or key name, trimmed
    };

    static Line parseLine(const QByteArray &raw);
    // Index of the first section line named section, or -1.
    int findSection(const QString &section) const;
    // Index of the key line inside the section starting at sectionLine, or -1.
    int findKey(int sectionLine, const QString &key) const;
    // One past the last non-blank line of the section starting at sectionLine.
    int sectionInsertPoint(int sectionLine) const;

    std::vector<Line> m_lines;
    QByteArray m_eol = "\n";
    bool m_finalEol = true;
};
