#include "gps/CameraCheck.h"

#include "core/NumberText.h"
#include "gps/CameraTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {
// A position that can't be measured (not finite) gives NaN, which no comparison of
// distances takes.
double angleBetween(const NavFormula::Point &a, const NavFormula::Point &b)
{
    return NavFormula::centralAngle(a, b).value_or(std::numeric_limits<double>::quiet_NaN());
}

double measureKm(const CameraTable &table, const NavFormula::Point &fix, quint32 position)
{
    return NavFormula::kilometres(angleBetween(fix, table.point(position)));
}
} // namespace

bool CameraCheck::usable(const NavFix &fix)
{
    if (!std::isfinite(fix.LatMinutes) || !std::isfinite(fix.LonMinutes))
        return false;
    return !(fix == NavFix{});
}

qint32 CameraCheck::relativeBearing(double course, double bearing)
{
    if (!std::isfinite(course) || !std::isfinite(bearing))
        return 0;
    const auto whole = [](double degrees) {
        return qint64(std::trunc(std::fmod(degrees, 360.0)));
    };
    const qint64 relative = 360 - whole(course) + whole(bearing);
    return qint32(((relative % 360) + 360) % 360);
}

bool CameraCheck::ahead(qint32 relativeBearing)
{
    return relativeBearing <= SectorDegrees || relativeBearing >= 360 - SectorDegrees;
}

bool CameraCheck::alerts(const Result &result, double warningDistanceKm) const
{
    return result.nearestKm < warningDistanceKm && ahead(RelativeBearing);
}

CameraCheck::Result CameraCheck::run(const CameraTable &table, const GpsValues &gps,
                                     const QString &satNum, double coverageKm, bool fixCurrent)
{
    Result result;
    result.satellitesOk = satNum != QStringLiteral("00");
    if (fixCurrent && result.satellitesOk && !gps.Stationary && usable(gps.PreviousFix))
        rebuild(table, gps, coverageKm, result);
    RelativeBearing = relativeBearing(gps.ComputedCourse, NearestCameraBearing);
    return result;
}

void CameraCheck::rebuild(const CameraTable &table, const GpsValues &gps, double coverageKm,
                          Result &result)
{
    result.rebuilt = true;
    MapEntries.clear();
    const NavFormula::Point fix = NavFormula::pointOfFix(gps.PreviousFix);
    const Nearest nearest = findNearest(table, fix);
    if (nearest.position >= 0) {
        const auto position = quint32(nearest.position);
        const NavFormula::Point camera = table.point(position);
        result.nearestKm = nearest.km;
        result.limitText = QString::number(table.record(position).SpeedLimit);
        result.distanceText = NumberText::format(QStringLiteral("0"), nearest.km * 1000) + " m";
        NearestCameraBearing = NavFormula::courseDegrees(fix, camera, angleBetween(fix, camera));
    }
    result.secondKm = nearest.secondKm;
    result.secondText =
        "2nd in " + NumberText::format(QStringLiteral("0"), nearest.secondKm * 1000) + "m";
    collectEntries(table, fix, coverageKm, gps.ComputedCourse);
}

// Searches ever farther around the fix until the nearest and second-nearest distances
// by the formula are settled: every camera left out lies farther than both. Among equal
// distances the camera first in the file wins, as in a walk in file order.
CameraCheck::Nearest CameraCheck::findNearest(const CameraTable &table,
                                              const NavFormula::Point &fix)
{
    Nearest best;
    for (double reach = FirstReach;; reach *= 4) {
        const bool whole = reach >= std::numbers::pi;
        m_positions.clear();
        table.index().near(fix, std::min(reach, std::numbers::pi), m_positions);
        best = Nearest{};
        for (const quint32 position : m_positions) {
            const double km = measureKm(table, fix, position);
            if (km < best.km || (km == best.km && qint64(position) < best.position)) {
                if (km < best.km)
                    best.secondKm = best.position >= 0 ? best.km : NoSecondKm;
                best.km = km;
                best.position = position;
            } else if (km > best.km && km < best.secondKm) {
                best.secondKm = km;
            }
        }
        if (whole || (best.secondKm < NoSecondKm &&
                      best.secondKm / NavFormula::KmPerRadian + AngleMargin < reach))
            return best;
    }
}

void CameraCheck::collectEntries(const CameraTable &table, const NavFormula::Point &fix,
                                 double coverageKm, double course)
{
    m_positions.clear();
    table.index().near(fix, coverageKm / NavFormula::KmPerRadian + AngleMargin, m_positions);
    std::sort(m_positions.begin(), m_positions.end());
    for (const quint32 position : m_positions) {
        const NavFormula::Point camera = table.point(position);
        const double angle = angleBetween(fix, camera);
        const double km = NavFormula::kilometres(angle);
        if (km > coverageKm)
            continue;
        const double bearing = NavFormula::courseDegrees(fix, camera, angle);
        MapEntries.push_back({km, bearing - course, table.record(position).SpeedLimit});
    }
}
