#include "gps/FixUpdate.h"

#include "gps/NavFormula.h"
#include "gps/Tgps_gga.h"

NavFix FixUpdate::fixOf(const Tgps_gga &gga)
{
    const int ew = gga.dLonEW == QLatin1String("E") ? 1 : -1;
    const int ns = gga.dLatNS == QLatin1String("N") ? 1 : -1;
    return {ns * gga.dLatDegree, ew * gga.dLonDegree, ns * gga.dLatMin, ew * gga.dLonMin};
}

std::optional<double> FixUpdate::apply(const Tgps_gga &gga, GpsValues &gps, double &tripKm)
{
    gps.CurrentFix = fixOf(gga);
    gps.DecimalLatitude = gps.CurrentFix.LatDegrees + gps.CurrentFix.LatMinutes / 60.0;
    gps.DecimalLongitude = gps.CurrentFix.LonDegrees + gps.CurrentFix.LonMinutes / 60.0;
    gps.Stationary = gps.CurrentFix == gps.PreviousFix;

    NavFormula::Angles from;
    NavFormula::Angles to;
    if (gps.PreviousFix.LatDegrees != 0) {
        from = NavFormula::Nav2Rad_Angle(gps.PreviousFix);
        to = NavFormula::Nav2Rad_Angle(gps.CurrentFix);
        gps.ComputedCourse = NavFormula::courseDegrees(from, to);
    }
    std::optional<double> step;
    if (const std::optional<double> d = NavFormula::centralAngle(from, to)) {
        step = NavFormula::kilometres(*d);
        tripKm += *step;
    }
    gps.PreviousFix = gps.CurrentFix;
    return step;
}
