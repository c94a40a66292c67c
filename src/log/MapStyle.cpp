#include "log/MapStyle.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct RoadLook {
    QRgb colour;
    double width; // pixels at the closest view
    double shown; // widest view, metres per pixel
    double named; // widest view with names
};

constexpr std::array<RoadLook, 7> RoadLooks{{
    {0xE8846A, 14.0, 1e12, 80.0},  // motorway
    {0xE8A05A, 13.0, 1e12, 60.0},  // trunk
    {0xE8C15A, 12.0, 300.0, 30.0}, // primary
    {0xD4D46A, 11.0, 80.0, 16.0},  // secondary
    {0xCFCFCF, 10.0, 30.0, 6.0},   // tertiary
    {0x9C9C9C, 8.0, 8.0, 2.5},     // minor streets
    {0x5E5E5E, 4.0, 2.0, 0.0},     // service
}};

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

QColor MapStyle::roadColour(RoadClass roadClass) { return QColor::fromRgb(look(roadClass).colour); }

double MapStyle::roadWidth(RoadClass roadClass, double metresPerPixel)
{
    // Full width up to a view of about a kilometre, then a little less per doubling.
    const double doublings = std::max(0.0, std::log2(metresPerPixel / 1.2));
    return look(roadClass).width * std::max(0.3, 1.0 / (1.0 + 0.3 * doublings));
}

double MapStyle::roadShownUpTo(RoadClass roadClass) { return look(roadClass).shown; }

double MapStyle::roadNamedUpTo(RoadClass roadClass) { return look(roadClass).named; }

double MapStyle::placeShownUpTo(PlaceKind kind) { return PlaceLooks[std::size_t(kind)].shown; }

int MapStyle::placeFontPixels(PlaceKind kind) { return PlaceLooks[std::size_t(kind)].fontPixels; }
