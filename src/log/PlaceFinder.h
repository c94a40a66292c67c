#pragma once

#include <QString>

#include <optional>

class MapData;

// The street-address text of a point, "Street, Town": the nearest named road a car can be
// on within RoadReach of it (of two or more within reach, the nearest that runs along the
// car's course when one is given), and the town it lies in. The town is the municipality
// whose administrative boundary holds the point (admin_level 8, else 7, else 6, and so on
// up to a country's 2); where no boundary holds it, the nearest place whose reach covers
// it. A road without a town gives
// the road's name alone; no road near gives "n/a".
class PlaceFinder {
public:
    static constexpr double RoadReach = 50.0; // metres
    // The reach of a city: the farthest a place that names a town can lie.
    static constexpr double LongestReach = 12000.0;
    // A road runs along the course when its direction is this close to it, either way.
    static constexpr double AlongDegrees = 30.0;
    static inline const QString NotAvailable = QStringLiteral("n/a");

    explicit PlaceFinder(const MapData &data) : m_data(data) {}

    // An empty text for a position that isn't one (not a number, beyond the poles).
    // course: degrees clockwise from north, none when the car stands.
    QString placeAt(double latitude, double longitude,
                    std::optional<double> course = std::nullopt) const;
    // The parts on their own, empty when none is found.
    QString roadAt(double latitude, double longitude,
                   std::optional<double> course = std::nullopt) const;
    QString townAt(double latitude, double longitude) const;
    QString boundaryAround(double latitude, double longitude) const;
    QString placeAround(double latitude, double longitude) const;

private:
    const MapData &m_data;
};
