#pragma once

#include <QLocale>
#include <QString>

class Tgps_gga;
class Tgps_rmc;

// The texts of the radar screen's navigation read-outs, numbers with the locale's
// decimal separator.
class NavigationText {
public:
    QString NAV_COG_Computed; // "COG 154°"
    QString NAV_UTCTime;      // as received
    QString NAV_SatNum;       // "07 SATs "
    QString NAV_LAT;          // "51°21,5792'N"
    QString NAV_LON;
    QString NAV_HEIGHT; // "153,8 m ASL"
    QString NAV_SOG;    // "167 km/h"

    static NavigationText of(const Tgps_gga &gga, const Tgps_rmc &rmc, double computedCourse,
                             const QLocale &locale = QLocale());
    // Knots to whole km/h, halves to even.
    static double kmh(double knots);
};
