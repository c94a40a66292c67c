#pragma once

#include "log/RoadClass.h"

#include <QColor>

// How the map draws each kind of road and place: colours on black, widths in pixels that
// narrow as the view widens, and the widest view (in metres per pixel) that still shows
// a kind, so that a wide view isn't buried under side streets.
class MapStyle {
public:
    static QColor roadColour(RoadClass roadClass);
    static double roadWidth(RoadClass roadClass, double metresPerPixel);
    static double roadShownUpTo(RoadClass roadClass);
    // Names along roads of the class; zero for none.
    static double roadNamedUpTo(RoadClass roadClass);
    static double placeShownUpTo(PlaceKind kind);
    static int placeFontPixels(PlaceKind kind);
    static constexpr int RoadFontPixels = 15;
    static QColor roadNameColour() { return QColor(0xF4, 0xF4, 0xF4); }
    static QColor placeNameColour() { return QColor(0xFF, 0xE0, 0x9A); }
};
