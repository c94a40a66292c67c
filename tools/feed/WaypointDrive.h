#pragma once

#include "DriveFix.h"
#include "GeoPoint.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A drive at constant speed along straight (great-circle) legs between waypoints, sampled
// once a second as a receiver reports it: the first fix at the first waypoint, every
// further fix one second's travel on, the last one standing at the last waypoint.
class WaypointDrive {
public:
    // A longer drive makes no fixes: a log of a week is more than any demo wants.
    static constexpr double MaxSeconds = 7 * 24 * 3600;

    WaypointDrive(std::vector<GeoPoint> waypoints, double speedKmh, QDateTime startUtc);

    double lengthKm() const;
    std::vector<DriveFix> fixes() const;
    // GGA and RMC of every fix, each sentence ended by CR LF.
    QByteArray nmeaLog() const;

    // Waypoints as lines "latitude longitude" (decimal degrees, north and east positive;
    // a comma may separate them); "#" starts a comment. Empty with a reason on a bad line.
    static std::optional<std::vector<GeoPoint>> parseWaypoints(const QByteArray &text,
                                                               QString *error = nullptr);

private:
    DriveFix fixAt(double km, int second, bool moving) const;

    std::vector<GeoPoint> m_waypoints;
    std::vector<double> m_legStartKm;
    double m_speedKmh;
    QDateTime m_start;
};
