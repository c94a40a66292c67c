#include "gps/RadarBin.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

QByteArray record(double lat, double lon, qint32 reserved, qint32 limit)
{
    QByteArray bytes(24, '\0');
    quint64 bits;
    std::memcpy(&bits, &lat, 8);
    qToLittleEndian(bits, bytes.data());
    std::memcpy(&bits, &lon, 8);
    qToLittleEndian(bits, bytes.data() + 8);
    qToLittleEndian(reserved, bytes.data() + 16);
    qToLittleEndian(limit, bytes.data() + 20);
    return bytes;
}

} // namespace

TEST(RadarBin, EmptyBytesHoldNoCamera)
{
    const RadarBin::Parsed parsed = RadarBin::parse(QByteArrayView());
    EXPECT_TRUE(parsed.records.empty());
    EXPECT_EQ(parsed.skipped, 0);
    EXPECT_EQ(parsed.tailBytes, 0);
    EXPECT_FALSE(parsed.truncated);
}

TEST(RadarBin, ReadsLittleEndianFieldsAndIgnoresTheReservedOnes)
{
    const QByteArray bytes =
        record(51.3596, 7.2408, 0x7F7F7F7F, 50) + record(-33.5, -70.25, -1, -7);
    const RadarBin::Parsed parsed = RadarBin::parse(bytes);
    ASSERT_EQ(parsed.records.size(), 2u);
    EXPECT_EQ(parsed.records[0], (CameraRecord{51.3596, 7.2408, 50}));
    EXPECT_EQ(parsed.records[1], (CameraRecord{-33.5, -70.25, -7}));
}

TEST(RadarBin, EveryWholeRecordCountsAndAPartialTailIsIgnored)
{
    QByteArray bytes;
    for (int i = 0; i < 5; ++i)
        bytes += record(10 + i, 20, 0, 30 + i);
    const RadarBin::Parsed whole = RadarBin::parse(bytes);
    ASSERT_EQ(whole.records.size(), 5u);
    EXPECT_EQ(whole.records.back().SpeedLimit, 34); // the last record takes part
    const RadarBin::Parsed cut = RadarBin::parse(bytes + QByteArray(23, '\x41'));
    EXPECT_EQ(cut.records.size(), 5u);
    EXPECT_EQ(cut.tailBytes, 23);
    EXPECT_EQ(RadarBin::parse(QByteArray(23, '\0')).records.size(), 0u);
}

TEST(RadarBin, RecordsWithoutAValidPositionAreSkipped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QByteArray bytes = record(nan, 7, 0, 1) + record(51, inf, 0, 2) + record(90.5, 7, 0, 3) +
                             record(51, -180.01, 0, 4) + record(-90, 180, 0, 5) +
                             record(1e300, 0, 0, 6);
    const RadarBin::Parsed parsed = RadarBin::parse(bytes);
    ASSERT_EQ(parsed.records.size(), 1u);
    EXPECT_EQ(parsed.records[0].SpeedLimit, 5);
    EXPECT_EQ(parsed.skipped, 5);
}

TEST(RadarBin, ABoundLimitsTheRecordsRead)
{
    QByteArray bytes;
    for (int i = 0; i < 10; ++i)
        bytes += record(1, 2, 0, i);
    const RadarBin::Parsed parsed = RadarBin::parse(bytes, 4);
    EXPECT_EQ(parsed.records.size(), 4u);
    EXPECT_TRUE(parsed.truncated);
    EXPECT_FALSE(RadarBin::parse(bytes, 10).truncated);
    EXPECT_TRUE(RadarBin::parse(bytes, -3).records.empty());
}

TEST(RadarBin, EncodeWritesWhatParseReads)
{
    const std::vector<CameraRecord> cameras{{51.5, 7.25, 50}, {-0.001, -179.999, 120}, {0, 0, 0}};
    const QByteArray bytes = RadarBin::encode(cameras);
    ASSERT_EQ(bytes.size(), 72);
    EXPECT_EQ(bytes.left(24), record(51.5, 7.25, 0, 50));
    EXPECT_EQ(RadarBin::parse(bytes).records, cameras);
}
