#pragma once

#include "log/GeoPoint.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

// Writes a prepared map. Features come in any order, each for one tile of one band; they
// wait in spill files (a bucket per group of tiles, so that memory holds one bucket at a
// time, whatever the map's size) until finish() gathers each tile and writes the file.
// The file is written beside its final name, flushed to disk and only then renamed over
// it: a stop, a failure or a crash leaves no half-written map behind.
class MapFileWriter {
public:
    static constexpr std::size_t BucketCount = 64;
    // Bytes done and to do while the tiles are gathered.
    using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

    // spillDir: an empty directory of the writer's own for the spill files.
    MapFileWriter(const QString &path, const QString &spillDir);
    ~MapFileWriter();
    MapFileWriter(const MapFileWriter &) = delete;
    MapFileWriter &operator=(const MapFileWriter &) = delete;

    void add(std::size_t band, std::uint32_t x, std::uint32_t y, std::string_view feature);
    void takeBounds(GeoPoint point);
    void setFlags(std::uint32_t flags) { m_flags |= flags; }

    // False with error() when stopped or the file can't be written.
    bool finish(const std::atomic<bool> &stop, const Progress &progress = nullptr);
    QString error() const { return m_error; }
    std::uint64_t tileCount() const { return m_tiles; }
    std::uint64_t fileBytes() const { return m_fileBytes; }

private:
    struct Closer {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, Closer>;
    struct Entry;

    bool fail(const QString &error);
    bool writeBucket(std::size_t bucket, std::vector<std::vector<Entry>> &index);
    bool writeTables(std::vector<std::vector<Entry>> &index);
    bool write(const void *data, std::size_t size);

    QString m_path;
    QString m_partPath;
    QString m_spillDir;
    std::array<File, BucketCount> m_buckets;
    File m_out;
    std::uint64_t m_offset = 0;
    bool m_haveBounds = false;
    GeoPoint m_southWest;
    GeoPoint m_northEast;
    std::uint32_t m_flags = 0;
    std::uint64_t m_spilled = 0;
    std::uint64_t m_tiles = 0;
    std::uint64_t m_fileBytes = 0;
    bool m_committed = false;
    QString m_error;
};
