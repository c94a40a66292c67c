#include "log/MapFileWriter.h"

#include "log/ByteReader.h"
#include "log/MapFileFormat.h"
#include "log/MapTile.h"
#include "log/TileEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace F = MapFileFormat;

struct MapFileWriter::Entry {
    std::uint32_t x;
    std::uint32_t y;
    std::uint64_t offset;
    std::uint32_t size;
    std::uint32_t crc;
};

namespace {

std::size_t bucketOf(std::size_t band, std::uint32_t x, std::uint32_t y)
{
    // Neighbouring tiles land in different buckets: a large area spreads over all.
    std::uint64_t h = (std::uint64_t(band) * 0x9E3779B97F4A7C15ull) ^
                      (std::uint64_t(x) * 0xC2B2AE3D27D4EB4Full) ^
                      (std::uint64_t(y) * 0x165667B19E3779F9ull);
    h ^= h >> 29;
    return std::size_t(h % MapFileWriter::BucketCount);
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

MapFileWriter::MapFileWriter(const QString &path, const QString &spillDir)
    : m_path(path), m_partPath(path + QStringLiteral(".part")), m_spillDir(spillDir)
{
    for (std::size_t b = 0; b < BucketCount; ++b) {
        const QString name = QDir(spillDir).filePath(QStringLiteral("bucket-%1").arg(b));
        m_buckets[b].reset(std::fopen(QFile::encodeName(name).constData(), "w+b"));
        if (!m_buckets[b]) {
            fail(QStringLiteral("cannot write in %1: %2").arg(spillDir, systemError()));
            return;
        }
    }
}

MapFileWriter::~MapFileWriter()
{
    m_out.reset();
    if (!m_committed)
        QFile::remove(m_partPath);
    for (std::size_t b = 0; b < BucketCount; ++b) {
        m_buckets[b].reset();
        QFile::remove(QDir(m_spillDir).filePath(QStringLiteral("bucket-%1").arg(b)));
    }
}

bool MapFileWriter::fail(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error;
    return false;
}

void MapFileWriter::add(std::size_t band, std::uint32_t x, std::uint32_t y,
                        std::string_view feature)
{
    std::FILE *file = m_buckets[bucketOf(band, x, y)].get();
    if (!file || !m_error.isEmpty())
        return;
    std::string head;
    TileEncoder::u32(head, std::uint32_t(feature.size()));
    TileEncoder::u8(head, std::uint8_t(band));
    TileEncoder::u32(head, x);
    TileEncoder::u32(head, y);
    if (std::fwrite(head.data(), 1, head.size(), file) != head.size() ||
        std::fwrite(feature.data(), 1, feature.size(), file) != feature.size())
        fail(QStringLiteral("cannot write in %1: %2").arg(m_spillDir, systemError()));
    m_spilled += head.size() + feature.size();
}

void MapFileWriter::takeBounds(GeoPoint point)
{
    if (!m_haveBounds) {
        m_southWest = m_northEast = point;
        m_haveBounds = true;
        return;
    }
    m_southWest = {std::min(m_southWest.lat, point.lat), std::min(m_southWest.lon, point.lon)};
    m_northEast = {std::max(m_northEast.lat, point.lat), std::max(m_northEast.lon, point.lon)};
}

bool MapFileWriter::write(const void *data, std::size_t size)
{
    if (std::fwrite(data, 1, size, m_out.get()) != size)
        return fail(QStringLiteral("cannot write %1: %2").arg(m_partPath, systemError()));
    m_offset += size;
    return true;
}

bool MapFileWriter::finish(const std::atomic<bool> &stop, const Progress &progress)
{
    if (!m_error.isEmpty())
        return false;
    m_out.reset(std::fopen(QFile::encodeName(m_partPath).constData(), "wb"));
    if (!m_out)
        return fail(QStringLiteral("cannot write %1: %2").arg(m_partPath, systemError()));
    const std::array<char, F::HeaderSize> blank{};
    if (!write(blank.data(), blank.size()))
        return false;
    std::vector<std::vector<Entry>> index(F::Bands.size());
    std::uint64_t done = 0;
    for (std::size_t b = 0; b < BucketCount; ++b) {
        if (stop)
            return fail(QStringLiteral("stopped"));
        const long size = std::ftell(m_buckets[b].get());
        if (!writeBucket(b, index))
            return false;
        done += std::uint64_t(std::max(0L, size));
        if (progress)
            progress(done, m_spilled);
    }
    if (!writeTables(index))
        return false;
    if (std::fflush(m_out.get()) != 0 || ::fsync(::fileno(m_out.get())) != 0)
        return fail(QStringLiteral("cannot write %1: %2").arg(m_partPath, systemError()));
    m_out.reset();
    if (stop)
        return fail(QStringLiteral("stopped"));
    if (std::rename(QFile::encodeName(m_partPath).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        return fail(QStringLiteral("cannot rename %1: %2").arg(m_partPath, systemError()));
    m_committed = true;
    // The rename itself lasts only once the directory is on disk too.
    const QByteArray dir = QFile::encodeName(QFileInfo(m_path).absolutePath());
    if (const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    m_fileBytes = m_offset;
    return true;
}

bool MapFileWriter::writeBucket(std::size_t bucket, std::vector<std::vector<Entry>> &index)
{
    std::FILE *file = m_buckets[bucket].get();
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        return fail(QStringLiteral("cannot read back %1: %2").arg(m_spillDir, systemError()));
    std::vector<std::byte> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return fail(QStringLiteral("cannot read back %1: %2").arg(m_spillDir, systemError()));
    m_buckets[bucket].reset(); // its memory and disk go before the next bucket's
    QFile::remove(QDir(m_spillDir).filePath(QStringLiteral("bucket-%1").arg(bucket)));
    struct Record {
        std::uint64_t key; // band, row, column
        std::size_t offset;
        std::uint32_t size;
    };
    std::vector<Record> records;
    ByteReader in(bytes);
    while (in.remaining() > 0) {
        const std::uint32_t length = in.u32();
        const std::uint64_t band = in.u8();
        const std::uint32_t x = in.u32();
        const std::uint32_t y = in.u32();
        const std::size_t offset = bytes.size() - in.remaining();
        in.bytes(length);
        if (!in.ok())
            return fail(QStringLiteral("spill file %1 damaged").arg(bucket));
        records.push_back({(band << 56) | (std::uint64_t(y) << 28) | x, offset, length});
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const Record &a, const Record &b) { return a.key < b.key; });
    std::string blob;
    for (std::size_t i = 0; i < records.size();) {
        std::size_t j = i;
        blob.clear();
        TileEncoder::u32(blob, 0);
        for (; j < records.size() && records[j].key == records[i].key; ++j)
            blob.append(reinterpret_cast<const char *>(bytes.data() + records[j].offset),
                        records[j].size);
        const auto count = std::uint32_t(j - i);
        std::memcpy(blob.data(), &count, sizeof count);
        if (blob.size() > MapTile::MaxBytes)
            return fail(QStringLiteral("a tile of more than %1 bytes").arg(MapTile::MaxBytes));
        const std::string stored = TileEncoder::pack(blob);
        if (stored.empty())
            return fail(QStringLiteral("cannot compress a tile"));
        const std::uint64_t key = records[i].key;
        const auto crc = std::uint32_t(
            ::crc32(0L, reinterpret_cast<const Bytef *>(stored.data()), uInt(stored.size())));
        index[key >> 56].push_back({std::uint32_t(key & 0xFFFFFFFu),
                                    std::uint32_t((key >> 28) & 0xFFFFFFFu), m_offset,
                                    std::uint32_t(stored.size()), crc});
        if (!write(stored.data(), stored.size()))
            return false;
        ++m_tiles;
        i = j;
    }
    return true;
}

bool MapFileWriter::writeTables(std::vector<std::vector<Entry>> &index)
{
    std::string tables;
    const std::uint64_t tableOffset = m_offset;
    std::uint64_t indexOffset = tableOffset + F::Bands.size() * F::BandEntrySize;
    for (std::size_t b = 0; b < F::Bands.size(); ++b) {
        std::sort(index[b].begin(), index[b].end(), [](const Entry &a, const Entry &e) {
            return a.y != e.y ? a.y < e.y : a.x < e.x;
        });
        TileEncoder::f64(tables, F::Bands[b].from);
        TileEncoder::f64(tables, F::Bands[b].upTo);
        TileEncoder::i32(tables, F::Bands[b].tileUnits);
        TileEncoder::u32(tables, F::Bands[b].role);
        TileEncoder::u32(tables, std::uint32_t(index[b].size()));
        TileEncoder::u32(tables, 0);
        TileEncoder::u64(tables, indexOffset);
        indexOffset += index[b].size() * F::IndexEntrySize;
    }
    for (const auto &entries : index)
        for (const Entry &e : entries) {
            TileEncoder::u32(tables, e.x);
            TileEncoder::u32(tables, e.y);
            TileEncoder::u64(tables, e.offset);
            TileEncoder::u32(tables, e.size);
            TileEncoder::u32(tables, e.crc);
        }
    if (!write(tables.data(), tables.size()))
        return false;
    std::string header(F::Magic.begin(), F::Magic.end());
    TileEncoder::u32(header, F::Version);
    TileEncoder::u32(header, std::uint32_t(F::Bands.size()));
    TileEncoder::i32(header, m_southWest.lat);
    TileEncoder::i32(header, m_southWest.lon);
    TileEncoder::i32(header, m_northEast.lat);
    TileEncoder::i32(header, m_northEast.lon);
    TileEncoder::u32(header, m_flags);
    TileEncoder::u32(header, 0);
    TileEncoder::u64(header, tableOffset);
    TileEncoder::u64(header, m_offset);
    header.resize(F::HeaderSize, '\0');
    if (std::fseek(m_out.get(), 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), m_out.get()) != header.size())
        return fail(QStringLiteral("cannot write %1: %2").arg(m_partPath, systemError()));
    return true;
}
