#pragma once

#include "gps/CameraRecord.h"
#include "core/GpsValues.h"
#include "gps/MapEntry.h"
#include "gps/NavFormula.h"

#include <cmath>
#include <vector>

// The camera check as a plain walk over every record in file order, converting and
// measuring each camera afresh: the reference the indexed check must match.
struct LinearCameraCheck {
    double nearestKm = 999999.0;
    double secondKm = 1000000.0;
    qint64 nearestPosition = -1;
    double nearestBearing = 0.0;
    std::vector<MapEntry> entries;

    LinearCameraCheck(const std::vector<CameraRecord> &cameras, const NavFix &fix, double course)
    {
        const NavFormula::Point from = NavFormula::pointOfFix(fix);
        entries.reserve(cameras.size());
        for (size_t k = 0; k < cameras.size(); ++k) {
            const NavFormula::Point to =
                NavFormula::pointOfDegrees(cameras[k].Latitude, cameras[k].Longitude);
            const double d = NavFormula::centralAngle(from, to).value_or(NAN);
            const double dist = NavFormula::kilometres(d);
            const double bearing = NavFormula::courseDegrees(from, to, d);
            if (dist < nearestKm) {
                nearestKm = dist;
                nearestPosition = qint64(k);
                nearestBearing = bearing;
            }
            entries.push_back({dist, bearing - course, cameras[k].SpeedLimit});
        }
        for (const MapEntry &e : entries) {
            if (e.DistanceKm > nearestKm && e.DistanceKm < secondKm)
                secondKm = e.DistanceKm;
        }
    }

    // The entries within a distance, in file order.
    std::vector<MapEntry> within(double km) const
    {
        std::vector<MapEntry> near;
        for (const MapEntry &e : entries) {
            if (e.DistanceKm <= km)
                near.push_back(e);
        }
        return near;
    }
};
