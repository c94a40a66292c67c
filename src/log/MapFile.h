#pragma once

#include "log/MapFileFormat.h"
#include "log/MapTile.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QFile;

// A prepared map opened for reading: the file is memory-mapped and only its header, band
// table and the tiles asked for are read. Opening checks the header and that every table
// lies inside the file; each tile's place is checked when it is asked for, and its bytes
// against their CRC when it is read, so a damaged file never leads a read outside it.
class MapFile {
public:
    struct Opened {
        std::unique_ptr<MapFile> file; // null when refused
        QString error;                 // why, in words for the driver
    };

    ~MapFile();
    MapFile(const MapFile &) = delete;
    MapFile &operator=(const MapFile &) = delete;

    static Opened open(const QString &path);
    // The same checks on bytes that stay the caller's (tests, fuzzing).
    static Opened fromBytes(std::span<const std::byte> bytes, const QString &name);
    // True when the file starts as a prepared map does.
    static bool looksPrepared(std::span<const std::byte> head);

    const MapFileFormat::Header &header() const { return m_header; }
    const std::vector<MapFileFormat::Band> &bands() const { return m_bands; }
    GeoBox bounds() const;
    std::size_t size() const { return m_bytes.size(); }

    // The index entry of a tile, none when the band has no such tile or its entry points
    // outside the file.
    std::optional<MapFileFormat::IndexEntry> entry(std::size_t band, std::uint32_t x,
                                                   std::uint32_t y) const;
    // The entries of a band in file order, for the summary of the import tool.
    void forEachEntry(std::size_t band,
                      const std::function<void(const MapFileFormat::IndexEntry &)> &visit) const;
    // The tile read and checked; none when missing or damaged.
    std::optional<MapTile> tile(std::size_t band, std::uint32_t x, std::uint32_t y) const;
    std::optional<MapTile> tile(const MapFileFormat::IndexEntry &entry) const;

private:
    MapFile() = default;
    QString check(const QString &name);
    MapFileFormat::IndexEntry entryAt(const MapFileFormat::Band &band, std::size_t i) const;

    std::unique_ptr<QFile> m_file;
    std::span<const std::byte> m_bytes;
    MapFileFormat::Header m_header;
    std::vector<MapFileFormat::Band> m_bands;
};
