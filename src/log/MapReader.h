#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>

class MapData;

// Reads an OpenStreetMap extract into MapData: the highways a car uses, with their class
// and name, and the named places. XML (.osm, also gzip or bzip2 compressed) and PBF are
// told apart by their first bytes, whatever the file is called.
class MapReader {
public:
    struct Result {
        std::shared_ptr<const MapData> data; // null on failure
        QString error;                       // why, for the log
    };

    // A file that can't be read, holds bad data or no road or place at all is a failure.
    // Reading stops early, as a failure, once stop turns true.
    static Result readFile(const QString &path, const std::atomic<bool> &stop);
    // The same for bytes of OpenStreetMap XML in memory.
    static Result readXml(const char *bytes, std::size_t size);
};
