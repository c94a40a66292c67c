#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Parses an NMEA GGA sentence (position, time, satellites, height) into its properties.
// Empty fields are dropped before the fields are counted, so a receiver without a fix
// shifts the later fields; a parse that meets a missing field or degrees that are not an
// integer stops there, keeping what the earlier steps set and the old values of the rest.
class Tgps_gga {
public:
    QString GPSDataLine =
        QStringLiteral("$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A");
    QString UTCTime;
    QString SatNum;
    qint32 dLatDegree = 0;
    double dLatMin = 0.0; // minutes; 999999.0 when they could not be read
    QString dLatNS;
    qint32 dLonDegree = 0;
    double dLonMin = 0.0;
    QString dLonEW;
    double dUNN = 0.0; // metres above sea level

    static constexpr double ConversionFailed = 999999.0;

    void ParseLine();

    // The last ParseLine read a usable fix: every step ran, no number failed to convert
    // and the fix quality is a number other than 0. Only such a fix may move the car.
    bool fixValid() const { return m_fixValid; }

private:
    std::optional<QString> field(qsizetype n) const;
    double number(const QString &text);
    bool readPosition(qsizetype n, qint32 &degrees, double &minutes);
    bool parseSteps();
    bool fixQualitySet() const;

    QStringList m_fields;
    bool m_conversionFailed = false;
    bool m_fixValid = false;
};
