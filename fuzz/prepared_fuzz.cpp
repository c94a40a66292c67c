#include "log/MapData.h"
#include "log/MapFile.h"
#include "log/PlaceFinder.h"
#include "log/PreparedMap.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>

// Any bytes as a prepared map: opening either refuses them or gives a map whose tiles,
// read for look-ups and views at every band, never lead a read outside the bytes. Inputs
// starting with a T are one tile's packed bytes, read with their CRC made to fit, so that
// the tile reader is reached past the check that guards it in a file; with a U, its
// features unpacked.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 0 && (data[0] == 'T' || data[0] == 'U')) {
        const std::span<const std::byte> bytes{reinterpret_cast<const std::byte *>(data + 1),
                                               size - 1};
        const auto crc = std::uint32_t(::crc32(0L, data + 1, uInt(size - 1)));
        const auto tile = data[0] == 'T' ? MapTile::unpack(bytes, crc) : MapTile::decode(bytes);
        if (tile)
            for (const MapTile::Road &road : tile->roads())
                if (tile->pointsOf(road).size() < 2)
                    __builtin_trap();
        return 0;
    }
    MapFile::Opened opened = MapFile::fromBytes({reinterpret_cast<const std::byte *>(data), size},
                                                QStringLiteral("fuzz.rovanamap"));
    if (!opened.file)
        return 0;
    PreparedMap map(std::move(opened.file), 1 << 20);
    GeoBox box = map.bounds();
    const double lat = (box.south + box.north) / 2.0;
    const double lon = (box.west + box.east) / 2.0;
    (void)PlaceFinder(*map.lookUp(lat, lon)).placeAt(lat, lon, 45.0);
    for (const double metresPerPixel : {1.0, 10.0, 100.0, 1000.0}) {
        const double half = metresPerPixel * 400.0 / 111319.0;
        const GeoBox view{lat - half, lon - half, lat + half, lon + half};
        const auto drawn = map.drawing(view, metresPerPixel);
        for (const MapData::Road &road : drawn->roads())
            if (drawn->pointsOf(road).size() < 2)
                __builtin_trap(); // a joined road keeps at least one segment
    }
    return 0;
}
