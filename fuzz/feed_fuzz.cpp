#include "FeedLog.h"
#include "NmeaSentence.h"
#include "WaypointDrive.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

// Any bytes as the logs and the waypoint list of the replay tool: the bursts keep every
// byte of the log's lines in order, and a drive along waypoints that parse writes only
// sentences with valid checksums.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype sent = 0;
    for (const FeedBlock &b : FeedLog::nmeaBlocks(bytes))
        sent += b.bytes.size();
    if (sent > 2 * bytes.size() + 2)
        __builtin_trap();
    for (const FeedBlock &b : FeedLog::canBlocks(bytes)) {
        if (b.pauseBefore.count() < 0 || (!b.bytes.isEmpty() && !b.bytes.endsWith('\r')))
            __builtin_trap();
    }
    const auto points = WaypointDrive::parseWaypoints(bytes);
    if (!points)
        return 0;
    const WaypointDrive drive(*points, 100.0, QDateTime(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC));
    // Short drives only: a long one is just more of the same sentences.
    if (drive.lengthKm() > 5.0)
        return 0;
    for (const QByteArray &line : drive.nmeaLog().split('\n')) {
        if (!line.isEmpty() && !NmeaSentence::valid(line))
            __builtin_trap();
    }
    return 0;
}
