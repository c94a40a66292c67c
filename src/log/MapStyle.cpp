#include "log/MapStyle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct RoadLook {
    double width; // pixels at the closest view
    double shown; // widest view, metres per pixel
    double named; // widest view with names
};

constexpr std::array<RoadLook, RoadClassCount> RoadLooks{{
    {14.0, 1e12, 400.0},  // motorway
    {13.0, 1e12, 300.0},  // trunk
    {12.0, 300.0, 150.0}, // primary
    {11.0, 80.0, 60.0},   // secondary
    {10.0, 30.0, 8.0},    // tertiary
    {8.0, 8.0, 3.0},      // minor streets
    {4.0, 2.0, 0.0},      // service
    {3.0, 60.0, 0.0},     // railway
    {6.0, 120.0, 0.0},    // river, canal
}};

constexpr std::array<double, AreaKindCount> AreaShownUpTo{
    1e12,  // sea
    200.0, // built-up land
    300.0, // green
    1e12,  // water
    1.25,  // buildings: only at the closest two views
    0.0,   // boundaries: never drawn
};

struct PlaceLook {
    double shown;
    int fontPixels;
};

constexpr std::array<PlaceLook, 5> PlaceLooks{{
    {5000.0, 26}, // city
    {300.0, 22},  // town
    {60.0, 19},   // village
    {25.0, 18},   // suburb
    {10.0, 17},   // hamlet
}};

const RoadLook &look(RoadClass roadClass) { return RoadLooks[std::size_t(roadClass)]; }

} // namespace

double MapStyle::roadWidth(RoadClass roadClass, double metresPerPixel)
{
    // Full width up to a view of about a kilometre, then a little less per doubling.
    const double doublings = std::max(0.0, std::log2(metresPerPixel / 1.2));
    return look(roadClass).width * std::max(0.3, 1.0 / (1.0 + 0.3 * doublings));
}

double MapStyle::roadShownUpTo(RoadClass roadClass) { return look(roadClass).shown; }

double MapStyle::roadNamedUpTo(RoadClass roadClass) { return look(roadClass).named; }

double MapStyle::areaShownUpTo(AreaKind kind) { return AreaShownUpTo[std::size_t(kind)]; }

double MapStyle::placeShownUpTo(PlaceKind kind) { return PlaceLooks[std::size_t(kind)].shown; }

int MapStyle::placeFontPixels(PlaceKind kind) { return PlaceLooks[std::size_t(kind)].fontPixels; }
