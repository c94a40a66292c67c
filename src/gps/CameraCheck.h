#pragma once

#include "gps/CameraIndex.h"
#include "core/GpsValues.h"
#include "gps/MapEntry.h"

#include <QString>

#include <vector>

class CameraTable;

// The speed-camera check after a fix: the nearest camera's limit, distance and bearing,
// the second-nearest distance, and the map entries of the cameras around the car. The
// results equal those of measuring every camera in file order; the spatial index only
// decides which cameras can matter.
class CameraCheck {
public:
    static constexpr double NoCameraKm = 999999.0;
    static constexpr double NoSecondKm = 1000000.0;
    static constexpr int SectorDegrees = 35;

    struct Result {
        bool rebuilt = false;          // a usable fix: the entries and texts are new
        double nearestKm = NoCameraKm; // 999999 when not rebuilt or no camera
        double secondKm = NoSecondKm;
        QString limitText;        // the nearest camera's speed limit; empty when none
        QString distanceText;     // its distance, "<metres> m"; empty when none
        QString secondText;       // "2nd in <metres>m"; empty when not rebuilt
        bool satellitesOk = true; // the receiver reports satellites (not "00")
    };

    // Checks the latest fix (gps.PreviousFix) against the table. satNum is the satellite
    // count as received; fixCurrent is false while the receiver reports no fix, when the
    // latest fix is the stale place where it was lost and nothing is measured. The map
    // entries keep every camera within coverageKm.
    Result run(const CameraTable &table, const GpsValues &gps, const QString &satNum,
               double coverageKm, bool fixCurrent = true);

    // An alert: the nearest camera closer than the warning distance and within the
    // sector ahead.
    bool alerts(const Result &result, double warningDistanceKm) const;

    // 0..359; 0 when the camera lies straight ahead.
    static qint32 relativeBearing(double course, double bearing);
    static bool ahead(qint32 relativeBearing);
    // A fix that can be measured from: finite, and not the all-zero start value.
    static bool usable(const NavFix &fix);

    std::vector<MapEntry> MapEntries;
    double NearestCameraBearing = 0.0;
    qint32 RelativeBearing = 0;

private:
    // The first search reaches about one cell of the index; each next one four times as
    // far, up to the whole table.
    static constexpr double FirstReach = 0.01;
    // Room for the rounding of the formulas, in radians.
    static constexpr double AngleMargin = 1e-5;

    struct Nearest {
        qint64 position = -1;
        double km = NoCameraKm;
        double secondKm = NoSecondKm;
    };

    Nearest findNearest(const CameraTable &table, const NavFormula::Point &fix);
    void collectEntries(const CameraTable &table, const NavFormula::Point &fix, double coverageKm,
                        double course);
    void rebuild(const CameraTable &table, const GpsValues &gps, double coverageKm, Result &result);

    std::vector<quint32> m_positions;
};
