#include "gps/CameraCheck.h"
#include "gps/CameraTable.h"
#include "gps/RadarBin.h"

#include "../tests/support/LinearCameraCheck.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Any bytes as radar.bin: every whole record is read or skipped, the tail is ignored,
// what is read writes back to the same bytes' records, and the indexed check over the
// table agrees with the walk over every camera.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const RadarBin::Parsed parsed = RadarBin::parse(bytes);
    const qsizetype whole = std::min(bytes.size() / RadarBin::RecordSize, RadarBin::MaxRecords);
    if (qsizetype(parsed.records.size()) + parsed.skipped != whole)
        __builtin_trap();
    if (parsed.tailBytes != bytes.size() % RadarBin::RecordSize)
        __builtin_trap();
    for (const CameraRecord &r : parsed.records) {
        if (!RadarBin::isPlace(r))
            __builtin_trap();
    }
    if (RadarBin::parse(RadarBin::encode(parsed.records)).records != parsed.records)
        __builtin_trap();

    const CameraTable table(parsed.records);
    GpsValues gps;
    gps.PreviousFix = gps.CurrentFix = NavFix{51, 7, 21.5792, 14.4555};
    gps.ComputedCourse = 33.0;
    CameraCheck check;
    const CameraCheck::Result result = check.run(table, gps, QStringLiteral("07"), 53.4);
    const LinearCameraCheck linear(parsed.records, gps.PreviousFix, gps.ComputedCourse);
    if (result.nearestKm != linear.nearestKm || result.secondKm != linear.secondKm)
        __builtin_trap();
    if (check.MapEntries.size() != linear.within(53.4).size())
        __builtin_trap();
    return 0;
}
