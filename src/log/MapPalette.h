#pragma once

#include "log/AreaKind.h"
#include "log/RoadClass.h"

#include <QColor>

#include <array>

// The colours of the map: plain data, so that whoever owns the screen's colour scheme can
// hand the map a day or a night look (or one of its own).
struct MapPalette {
    QColor land;
    std::array<QColor, AreaKindCount> areas; // by AreaKind; boundaries are never drawn
    std::array<QColor, RoadClassCount> roads;
    QColor roadCasing; // the thin edge of every road; transparent for none
    QColor bridgeCasing;
    QColor roadNames;
    QColor placeNames;
    QColor nameHalo;
    QColor streetBar;
    QColor streetBarText;

    QColor area(AreaKind kind) const { return areas[std::size_t(kind)]; }
    QColor road(RoadClass roadClass) const { return roads[std::size_t(roadClass)]; }

    // Light ground with clear roads, for daylight.
    static MapPalette day();
    // A dark ground with dimmed roads and water that doesn't dazzle at night.
    static MapPalette night();
};
