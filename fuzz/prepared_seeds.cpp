// Writes small prepared maps into the directory named by the argument: the seeds of the
// prepared map's fuzz target.
#include "log/MapFile.h"
#include "log/MapFileFormat.h"
#include "log/MapFileWriter.h"
#include "log/TileCutter.h"
#include "log/TileEncoder.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <string>
#include <vector>

namespace F = MapFileFormat;

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir spill;
    const std::atomic<bool> never{false};
    for (int seed = 0; seed < 2; ++seed) {
        MapFileWriter writer(QDir(out).filePath(QStringLiteral("seed-%1.rovanamap").arg(seed)),
                             spill.path());
        // A street across a tile edge, a park cut by it, a town: in every band.
        const std::vector<GeoPoint> street{GeoPoint::fromDegrees(47.99, 10.99 + seed * 0.001),
                                           GeoPoint::fromDegrees(48.0, 11.0),
                                           GeoPoint::fromDegrees(48.01, 11.02)};
        const std::vector<std::vector<GeoPoint>> park{
            {GeoPoint::fromDegrees(47.995, 10.995), GeoPoint::fromDegrees(47.995, 11.005),
             GeoPoint::fromDegrees(48.005, 11.005), GeoPoint::fromDegrees(47.995, 10.995)}};
        for (std::size_t b = 0; b < F::Bands.size(); ++b) {
            const auto units = F::Bands[b].tileUnits;
            std::string bytes;
            for (const auto &run : TileCutter::splitLine(street, units)) {
                bytes.clear();
                TileEncoder::road(bytes, 7, run.firstSegment, RoadClass::Primary,
                                  RoadLevel::Surface, "Main Street", "B 1",
                                  std::span<const GeoPoint>(street).subspan(
                                      run.firstSegment, run.lastSegment - run.firstSegment + 2));
                writer.add(b, run.x, run.y, bytes);
            }
            for (const auto &piece : TileCutter::clipRings(park, units)) {
                bytes.clear();
                TileEncoder::area(bytes, seed ? AreaKind::Boundary : AreaKind::Green, 8, "Park",
                                  piece.rings);
                writer.add(b, piece.x, piece.y, bytes);
            }
            bytes.clear();
            const GeoPoint town = GeoPoint::fromDegrees(48.001, 11.001);
            TileEncoder::place(bytes, PlaceKind::Town, "Rovington", town);
            writer.add(b, F::column(town.lon, units), F::row(town.lat, units), bytes);
            writer.takeBounds(town);
        }
        for (const GeoPoint &p : street)
            writer.takeBounds(p);
        if (!writer.finish(never))
            return 1;
    }
    // The tiles of the first on their own, for the tile reader.
    const MapFile::Opened opened =
        MapFile::open(QDir(out).filePath(QStringLiteral("seed-0.rovanamap")));
    if (!opened.file)
        return 1;
    QFile whole(QDir(out).filePath(QStringLiteral("seed-0.rovanamap")));
    if (!whole.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = whole.readAll();
    int count = 0;
    for (std::size_t b = 0; b < opened.file->bands().size(); ++b)
        opened.file->forEachEntry(b, [&](const MapFileFormat::IndexEntry &e) {
            QFile tile(QDir(out).filePath(QStringLiteral("tile-%1").arg(count++)));
            const QByteArray stored = bytes.mid(qsizetype(e.offset), qsizetype(e.size));
            if (tile.open(QIODevice::WriteOnly))
                tile.write("T" + stored);
        });
    // Features unpacked, for the feature reader.
    std::string features;
    TileEncoder::u32(features, 3);
    const std::vector<GeoPoint> line{GeoPoint::fromDegrees(48.0, 11.0),
                                     GeoPoint::fromDegrees(48.001, 11.002)};
    TileEncoder::road(features, 1, 0, RoadClass::Minor, RoadLevel::Bridge, "Mill Street", "", line);
    TileEncoder::area(features, AreaKind::Water, 0, "Pond",
                      {{line[0], line[1], GeoPoint::fromDegrees(48.002, 11.0), line[0]}});
    TileEncoder::place(features, PlaceKind::Village, "Lowbridge", line[1]);
    QFile raw(QDir(out).filePath(QStringLiteral("features")));
    if (raw.open(QIODevice::WriteOnly))
        raw.write("U" + QByteArray(features.data(), qsizetype(features.size())));
    return 0;
}
