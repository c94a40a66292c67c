#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Parses an NMEA RMC sentence of any talker: speed and course over ground and the date.
// Fields are counted by their commas, so an empty course (common when standing) stays
// empty instead of taking the date's place. A sentence without a fix (status V, or mode
// N) leaves speed and course as they were and gives only its date. A field missing at the
// end of a cut sentence ends the parse there.
class Tgps_rmc {
public:
    QString GPSDataLine;
    double sog = 0.0; // speed over ground, knots; 0 when empty or unreadable
    QString cog;      // course over ground as received, empty when the receiver sent none
    QString GPSDate;  // ddmmyy as received

    void ParseLine();

    // The talker of the last RMC sentence parsed.
    QString talker() const { return m_talker; }

private:
    std::optional<QString> field(qsizetype n) const;
    bool hasFix() const;

    QStringList m_fields;
    QString m_talker;
};
