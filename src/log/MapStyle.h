#pragma once

#include "log/AreaKind.h"
#include "log/RoadClass.h"

// How the map draws each kind of road, area and place: widths in pixels that narrow as the
// view widens, and the widest view (in metres per pixel) that still shows a kind, so that
// a wide view isn't buried under side streets. The colours are the palette's.
class MapStyle {
public:
    static double roadWidth(RoadClass roadClass, double metresPerPixel);
    static double roadShownUpTo(RoadClass roadClass);
    // Names along roads of the class; zero for none.
    static double roadNamedUpTo(RoadClass roadClass);
    // Wider than this a major road is named by its number, when it has one.
    static constexpr double NumbersFrom = 12.0;
    static double areaShownUpTo(AreaKind kind);
    static double placeShownUpTo(PlaceKind kind);
    static int placeFontPixels(PlaceKind kind);
    static constexpr int RoadFontPixels = 15;
    // The bar along the foot of the map that names the street the car is on: no name of
    // the map goes under it.
    static constexpr int StreetBarPixels = 30;
    // The edge of a road on either side together, pixels.
    static constexpr double CasingPixels = 2.0;
    // How much of a tunnel's colour shows.
    static constexpr double TunnelOpacity = 0.45;
};
