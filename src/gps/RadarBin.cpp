#include "gps/RadarBin.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
double readDouble(const char *at)
{
    const quint64 bits = qFromLittleEndian<quint64>(at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeDouble(char *at, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, at);
}
} // namespace

bool RadarBin::isPlace(const CameraRecord &record)
{
    return std::isfinite(record.Latitude) && std::isfinite(record.Longitude) &&
           std::fabs(record.Latitude) <= 90.0 && std::fabs(record.Longitude) <= 180.0;
}

RadarBin::Parsed RadarBin::parse(QByteArrayView bytes, qsizetype maxRecords)
{
    Parsed parsed;
    qsizetype count = bytes.size() / RecordSize;
    parsed.tailBytes = bytes.size() % RecordSize;
    maxRecords = std::max<qsizetype>(maxRecords, 0);
    if (count > maxRecords) {
        count = maxRecords;
        parsed.truncated = true;
    }
    parsed.records.reserve(size_t(count));
    const char *at = bytes.data();
    for (qsizetype i = 0; i < count; ++i, at += RecordSize) {
        CameraRecord record{readDouble(at), readDouble(at + 8), qFromLittleEndian<qint32>(at + 20)};
        if (isPlace(record))
            parsed.records.push_back(record);
        else
            ++parsed.skipped;
    }
    return parsed;
}

QByteArray RadarBin::encode(const std::vector<CameraRecord> &records)
{
    QByteArray bytes(qsizetype(records.size()) * RecordSize, '\0');
    char *at = bytes.data();
    for (const CameraRecord &record : records) {
        writeDouble(at, record.Latitude);
        writeDouble(at + 8, record.Longitude);
        qToLittleEndian(record.SpeedLimit, at + 20);
        at += RecordSize;
    }
    return bytes;
}
