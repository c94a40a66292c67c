#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Parses an NMEA GGA sentence of any talker (position, time, satellites, height) into its
// properties. Fields are counted by their commas, so an empty field keeps its place. A
// receiver without a fix sends empty or zero-filled fields and quality 0: the time and
// the satellite count ("00" when empty) are still taken, a position only when its fields
// are one, and the sentence is no fix. A field missing at the end of a cut sentence ends
// the parse there, keeping the old values of the rest.
class Tgps_gga {
public:
    QString GPSDataLine =
        QStringLiteral("$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A");
    QString UTCTime;
    QString SatNum;
    qint32 dLatDegree = 0;
    double dLatMin = 0.0; // minutes
    QString dLatNS;
    qint32 dLonDegree = 0;
    double dLonMin = 0.0;
    QString dLonEW;
    double dUNN = 0.0; // metres above sea level; 999999.0 when it could not be read

    static constexpr double ConversionFailed = 999999.0;

    void ParseLine();

    // The last ParseLine read a fix: a position in range with its hemispheres and a fix
    // quality other than 0. Only such a fix may move the car.
    bool fixValid() const { return m_fixValid; }
    // The fix quality of the last GGA sentence parsed (0 no fix, 1 GPS, 2 differential
    // ...); 0 when it was empty or unreadable.
    qint32 quality() const { return m_quality; }
    // The talker of the last GGA sentence parsed ("GP", "GN" ...).
    QString talker() const { return m_talker; }

private:
    std::optional<QString> field(qsizetype n) const;
    bool readPosition();
    void readHeight();
    qint32 readQuality() const;

    QStringList m_fields;
    QString m_talker;
    bool m_fixValid = false;
    qint32 m_quality = 0;
};
