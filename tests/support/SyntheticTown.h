#pragma once

#include "support/OsmExtract.h"

#include <QString>

// A made-up town for map files: a square grid of named streets around a centre (two main
// roads crossing at the middle, a secondary road and tertiary roads every fourth street,
// a motorway with only a number along the south edge), the town at the centre, suburbs
// in its quarters and villages beyond its edges; with the landscape, a lake beyond its east
// edge, a park with a pond (a multipolygon with a hole) in its south-west, a railway past
// its west edge, and the boundaries of the town and of its eastern neighbour.
class SyntheticTown {
public:
    struct Plan {
        double latitude = 48.0;
        double longitude = 11.0;
        double sizeMetres = 2000.0;   // the side of the square
        double spacingMetres = 150.0; // between neighbouring streets
        int blocksPerWay = 4;         // a street is split into ways this many blocks long
        int pointsPerBlock = 0;       // extra nodes along each block
        QString name = QStringLiteral("Rovington");
        bool landscape = true;
    };

    // Adds the town to the extract.
    static void addTo(OsmExtract &extract, const Plan &plan);
    // The name of the east-west street number row and of the north-south street column.
    static QString rowName(int row);
    static QString columnName(int column);
    // Where the street row and column cross.
    static OsmExtract::LatLon crossing(const Plan &plan, int row, int column);
    static int streetCount(const Plan &plan);
    // A point so far north and east of the centre (metres).
    static OsmExtract::LatLon offset(const Plan &plan, double north, double east);
    // Half the side of the grid, metres.
    static double halfSide(const Plan &plan);
    static constexpr double BoundaryMargin = 250.0; // the town's boundary beyond its grid
    static inline const QString Neighbour = QStringLiteral("Eastbrook");
};
