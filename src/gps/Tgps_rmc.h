#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Parses an NMEA RMC sentence: speed and course over ground and the date. Empty fields
// are dropped before counting, as in Tgps_gga; a missing field ends the parse there.
class Tgps_rmc {
public:
    QString GPSDataLine;
    double sog = 0.0; // speed over ground, knots; 0 when it could not be read
    QString cog;      // course over ground as received
    QString GPSDate;  // ddmmyy as received

    void ParseLine();

private:
    std::optional<QString> field(qsizetype n) const;

    QStringList m_fields;
};
