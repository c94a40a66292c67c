#include "log/MapFile.h"

#include "log/ByteReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace F = MapFileFormat;

MapFile::~MapFile() = default;

bool MapFile::looksPrepared(std::span<const std::byte> head)
{
    return head.size() >= F::Magic.size() &&
           std::memcmp(head.data(), F::Magic.data(), F::Magic.size()) == 0;
}

MapFile::Opened MapFile::open(const QString &path)
{
    std::unique_ptr<MapFile> map(new MapFile);
    map->m_file = std::make_unique<QFile>(path);
    const QString name = QFileInfo(path).fileName();
    if (!map->m_file->open(QIODevice::ReadOnly))
        return {nullptr,
                QStringLiteral("cannot open %1: %2").arg(name, map->m_file->errorString())};
    const qint64 size = map->m_file->size();
    if (size < qint64(F::HeaderSize))
        return {nullptr, QStringLiteral("%1 is not a prepared map (too short)").arg(name)};
    // The mapping stays valid while the file object lives, even closed.
    const uchar *mapped = map->m_file->map(0, size);
    if (!mapped)
        return {nullptr, QStringLiteral("cannot map %1: %2").arg(name, map->m_file->errorString())};
    map->m_bytes = {reinterpret_cast<const std::byte *>(mapped), std::size_t(size)};
    if (QString error = map->check(name); !error.isEmpty())
        return {nullptr, error};
    return {std::move(map), {}};
}

MapFile::Opened MapFile::fromBytes(std::span<const std::byte> bytes, const QString &name)
{
    std::unique_ptr<MapFile> map(new MapFile);
    map->m_bytes = bytes;
    if (QString error = map->check(name); !error.isEmpty())
        return {nullptr, error};
    return {std::move(map), {}};
}

QString MapFile::check(const QString &name)
{
    if (m_bytes.size() < F::HeaderSize || !looksPrepared(m_bytes))
        return QStringLiteral("%1 is not a prepared map").arg(name);
    ByteReader in(m_bytes.subspan(F::Magic.size(), F::HeaderSize - F::Magic.size()));
    m_header.version = in.u32();
    if (m_header.version != F::Version)
        return QStringLiteral("%1 is a prepared map of version %2; this program reads version "
                              "%3: prepare it again with rovana-map import")
            .arg(name)
            .arg(m_header.version)
            .arg(F::Version);
    m_header.bandCount = in.u32();
    m_header.southWest = {in.i32(), in.i32()};
    m_header.northEast = {in.i32(), in.i32()};
    m_header.flags = in.u32();
    (void)in.u32();
    m_header.bandTableOffset = in.u64();
    m_header.fileSize = in.u64();
    const QString damaged = QStringLiteral("%1 is damaged (%2)").arg(name);
    if (m_header.fileSize != m_bytes.size())
        return QStringLiteral("%1 is truncated or damaged: %2 bytes where it was written with %3")
            .arg(name)
            .arg(m_bytes.size())
            .arg(m_header.fileSize);
    if (m_header.bandCount == 0 || m_header.bandCount > F::MaxBands)
        return damaged.arg(QStringLiteral("band count"));
    const std::uint64_t tableSize = std::uint64_t(m_header.bandCount) * F::BandEntrySize;
    if (m_header.bandTableOffset < F::HeaderSize || m_header.bandTableOffset > m_bytes.size() ||
        tableSize > m_bytes.size() - m_header.bandTableOffset)
        return damaged.arg(QStringLiteral("band table outside the file"));
    ByteReader table(m_bytes.subspan(m_header.bandTableOffset, tableSize));
    for (std::uint32_t b = 0; b < m_header.bandCount; ++b) {
        F::Band band;
        band.fromMetresPerPixel = table.f64();
        band.upToMetresPerPixel = table.f64();
        band.tileUnits = table.i32();
        band.role = table.u32();
        band.tileCount = table.u32();
        (void)table.u32();
        band.indexOffset = table.u64();
        if (band.tileUnits < F::SmallestTile || band.tileUnits > F::LargestTile)
            return damaged.arg(QStringLiteral("tile size"));
        const std::uint64_t indexSize = std::uint64_t(band.tileCount) * F::IndexEntrySize;
        if (band.indexOffset < F::HeaderSize || band.indexOffset > m_bytes.size() ||
            indexSize > m_bytes.size() - band.indexOffset)
            return damaged.arg(QStringLiteral("tile index outside the file"));
        m_bands.push_back(band);
    }
    return {};
}

GeoBox MapFile::bounds() const
{
    return {m_header.southWest.latitude(), m_header.southWest.longitude(),
            m_header.northEast.latitude(), m_header.northEast.longitude()};
}

F::IndexEntry MapFile::entryAt(const F::Band &band, std::size_t i) const
{
    ByteReader in(m_bytes.subspan(band.indexOffset + i * F::IndexEntrySize, F::IndexEntrySize));
    F::IndexEntry entry;
    entry.x = in.u32();
    entry.y = in.u32();
    entry.offset = in.u64();
    entry.size = in.u32();
    entry.crc = in.u32();
    return entry;
}

std::optional<F::IndexEntry> MapFile::entry(std::size_t band, std::uint32_t x,
                                            std::uint32_t y) const
{
    if (band >= m_bands.size())
        return std::nullopt;
    const F::Band &b = m_bands[band];
    const std::uint64_t wanted = (std::uint64_t(y) << 32) | x;
    std::size_t low = 0, high = b.tileCount;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        const F::IndexEntry e = entryAt(b, mid);
        const std::uint64_t key = (std::uint64_t(e.y) << 32) | e.x;
        if (key == wanted) {
            if (e.offset < F::HeaderSize || e.offset > m_bytes.size() ||
                e.size > m_bytes.size() - e.offset)
                return std::nullopt;
            return e;
        }
        if (key < wanted)
            low = mid + 1;
        else
            high = mid;
    }
    return std::nullopt;
}

void MapFile::forEachEntry(std::size_t band,
                           const std::function<void(const F::IndexEntry &)> &visit) const
{
    if (band >= m_bands.size())
        return;
    for (std::size_t i = 0; i < m_bands[band].tileCount; ++i)
        visit(entryAt(m_bands[band], i));
}

std::optional<MapTile> MapFile::tile(std::size_t band, std::uint32_t x, std::uint32_t y) const
{
    const auto found = entry(band, x, y);
    return found ? tile(*found) : std::nullopt;
}

std::optional<MapTile> MapFile::tile(const F::IndexEntry &entry) const
{
    if (entry.offset < F::HeaderSize || entry.offset > m_bytes.size() ||
        entry.size > m_bytes.size() - entry.offset)
        return std::nullopt;
    return MapTile::unpack(m_bytes.subspan(entry.offset, entry.size), entry.crc);
}
