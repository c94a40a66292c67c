#pragma once

#include <QString>

#include <cstdint>

// A made-up country for the import benchmark, written as PBF as it is made (never held in
// memory): a square grid of streets with nodes along every block, main roads and a motorway
// every few streets, a town every few kilometres and a city in every larger square, and a
// municipality boundary around each town. About nine nodes a crossing.
class SyntheticCountry {
public:
    struct Plan {
        double latitude = 50.0; // south-west corner
        double longitude = 8.0;
        int streets = 1500;           // each way
        double spacingMetres = 100.0; // between neighbouring streets
        int pointsPerBlock = 4;       // nodes between crossings
        int blocksPerWay = 8;
        int townEvery = 20; // streets
        int cityEvery = 200;
    };
    struct Written {
        std::uint64_t nodes = 0;
        std::uint64_t ways = 0;
    };

    // False when the file can't be written.
    static bool write(const QString &path, const Plan &plan, Written &written);
    // The position of a crossing of the grid.
    static void crossing(const Plan &plan, int row, int column, double &latitude,
                         double &longitude);
};
