#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// One NMEA sentence as it stands in a line: from its "$" (the last one in the line, so
// that noise before it does no harm) to the end, with the talker ("GP", "GN", "GL" ...),
// the sentence type ("GGA", "RMC") and the "*hh" checksum checked against the bytes.
class NmeaFrame {
public:
    enum class Checksum { Absent, Good, Bad };

    static NmeaFrame of(QStringView line);
    // The two upper-case hexadecimal digits of the XOR of every character of text.
    static QString checksumOf(QStringView text);

    bool isSentence() const { return !m_body.isEmpty(); }
    // A GGA or RMC sentence of any two-letter talker; proprietary sentences ("$P...")
    // have no talker and never match.
    bool is(QLatin1StringView type) const { return isSentence() && m_type == type; }
    QString talker() const { return m_talker; }
    Checksum checksum() const { return m_checksum; }
    // The fields counted by their commas, empty ones kept in their place: field 0 is the
    // address ("GNGGA"), the checksum is not part of the last field.
    QStringList fields() const;
    // The sentence as it stands, for a trace line.
    QString text() const { return m_text; }

private:
    QString m_text;
    QString m_body; // between "$" and "*"
    QString m_talker;
    QString m_type;
    Checksum m_checksum = Checksum::Absent;
};
