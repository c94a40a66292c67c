#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

// Prepares a map: reads an OpenStreetMap extract of any size with bounded memory (the
// node locations go to an index on disk) and writes the prepared map the program opens at
// once. Keeps what the map page and the look-up use: roads, railways and rivers, the
// areas, the administrative boundaries, the named places and the sea along the coastline.
class MapImporter {
public:
    struct Progress {
        int pass = 0; // 1 relations, 2 nodes and ways, 3 tiles
        std::uint64_t nodes = 0;
        std::uint64_t ways = 0;
        std::uint64_t relations = 0;
        double done = 0.0; // of the pass, 0 to 1
    };
    struct Result {
        bool ok = false;
        QString error;
        Progress counts;
        std::uint64_t features = 0;
        std::uint64_t tiles = 0;
        std::uint64_t bytes = 0;
    };
    using Report = std::function<void(const Progress &)>;

    // Above this size an extract's node locations go to a dense array on disk (a slot per
    // node id, as a country's extract fills most of them), below it to a sorted sparse one.
    static constexpr std::int64_t DenseIndexFrom = std::int64_t(64) << 20;

    // The temporary files go to a directory beside output and are removed at the end.
    static Result run(const QString &extract, const QString &output, const std::atomic<bool> &stop,
                      const Report &report = nullptr);
};
