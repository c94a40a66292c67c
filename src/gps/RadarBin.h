#pragma once

#include "gps/CameraRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The bytes of radar.bin: records of 24 bytes, no header, little-endian. Latitude and
// longitude as IEEE doubles at 0 and 8, four reserved bytes, the speed limit as a signed
// 32-bit integer at 20.
class RadarBin {
public:
    static constexpr qsizetype RecordSize = 24;
    // A bound on the table so that a stray huge file can't exhaust memory; whole
    // countries' databases stay far below it.
    static constexpr qsizetype MaxRecords = qsizetype(1) << 22;

    struct Parsed {
        std::vector<CameraRecord> records; // usable records in file order
        qsizetype skipped = 0;             // records whose position is not a place on Earth
        qsizetype tailBytes = 0;           // bytes of a trailing partial record, ignored
        bool truncated = false;            // the file held more than MaxRecords records
    };

    // Every whole record up to maxRecords; a record whose latitude or longitude is not a
    // finite number within +-90 and +-180 degrees is skipped.
    static Parsed parse(QByteArrayView bytes, qsizetype maxRecords = MaxRecords);
    static QByteArray encode(const std::vector<CameraRecord> &records);
    // A record is a place when both coordinates are finite and in range.
    static bool isPlace(const CameraRecord &record);
};
