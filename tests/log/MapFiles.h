#pragma once

#include "support/OsmExtract.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// Map files of the map tests, all within a few hundred metres of 48° N 11° E, where one
// metre is 1 / 111319 degree of latitude and 1 / 74487 degree of longitude.
namespace MapFiles {

constexpr double Lat = 48.0;
constexpr double Lon = 11.0;
constexpr double MetresPerLat = 111319.49;
constexpr double MetresPerLon = 74487.28; // 111319.49 * cos 48°

inline OsmExtract::LatLon at(double northMetres, double eastMetres)
{
    return {Lat + northMetres / MetresPerLat, Lon + eastMetres / MetresPerLon};
}

// One named street running east-west through the centre, a town node beside it, an unnamed
// service road 30 m north of it, a footway and a town far away.
inline OsmExtract oneStreet()
{
    OsmExtract osm;
    osm.road("residential", "Mill Street", {at(0, -300), at(0, 0), at(0, 300)});
    osm.road("service", "", {at(30, -100), at(30, 100)});
    osm.road("footway", "Riverside Path", {at(-20, -100), at(-20, 100)});
    osm.place("town", "Lowbridge", Lat + 0.001, Lon + 0.001);
    osm.place("town", "Farfield", Lat + 0.5, Lon);
    return osm;
}

// Runs the event loop until ready() holds or the time is up; true when it holds.
inline bool waitUntil(const std::function<bool()> &ready, int milliseconds = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!ready() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return ready();
}

} // namespace MapFiles
