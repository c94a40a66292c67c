#pragma once

#include <QString>

class MapData;

// The street-address text of a point: the nearest named road within RoadReach of it and
// the place it lies in (the nearest place whose reach covers the point), "Street, Town".
// A road without a place around gives the road's name alone; no road near gives "n/a".
class PlaceFinder {
public:
    static constexpr double RoadReach = 50.0; // metres
    static inline const QString NotAvailable = QStringLiteral("n/a");

    explicit PlaceFinder(const MapData &data) : m_data(data) {}

    // An empty text for a position that isn't one (not a number, beyond the poles).
    QString placeAt(double latitude, double longitude) const;
    // The parts on their own, empty when none is found.
    QString roadAt(double latitude, double longitude) const;
    QString placeAround(double latitude, double longitude) const;

private:
    const MapData &m_data;
};
