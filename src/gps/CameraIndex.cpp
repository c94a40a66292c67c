#include "gps/CameraIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Room for rounding at the box's edges, in degrees (a few centimetres).
constexpr double MarginDegrees = 1e-6;

// The finest cells of which there are not many more than cameras.
double cellDegreesFor(size_t cameras)
{
    double chosen = 30.0;
    for (const double degrees : {10.0, 5.0, 2.0, 1.0, CameraIndex::FinestCellDegrees}) {
        if ((180.0 / degrees) * (360.0 / degrees) > 4.0 * double(cameras) + 64.0)
            break;
        chosen = degrees;
    }
    return chosen;
}

} // namespace

int CameraIndex::row(double latitude) const
{
    const double r = std::floor((latitude + 90.0) / m_cellDegrees);
    return int(std::clamp(r, 0.0, double(m_rows - 1)));
}

// Longitudes wrap: 180 and -180 are the same meridian.
int CameraIndex::column(double longitude) const
{
    const double c = std::floor((longitude + 180.0) / m_cellDegrees);
    const double wrapped = std::fmod(c, double(m_columns));
    return int(wrapped < 0 ? wrapped + m_columns : wrapped);
}

// Every place on Earth takes the quick way; the rest is clamped and wrapped as the search
// does.
int CameraIndex::cellOf(const CameraRecord &record) const
{
    const double y = (record.Latitude + 90.0) / m_cellDegrees;
    const double x = (record.Longitude + 180.0) / m_cellDegrees;
    if (y >= 0.0 && y < m_rows && x >= 0.0 && x < m_columns)
        return int(y) * m_columns + int(x);
    if (!std::isfinite(record.Latitude) || !std::isfinite(record.Longitude))
        return 0;
    return row(record.Latitude) * m_columns + column(record.Longitude);
}

CameraIndex::CameraIndex(const std::vector<CameraRecord> &records)
    : m_cellDegrees(cellDegreesFor(records.size())), m_rows(int(180.0 / m_cellDegrees)),
      m_columns(int(360.0 / m_cellDegrees)), m_start(size_t(m_rows) * size_t(m_columns) + 1, 0),
      m_positions(records.size())
{
    for (const CameraRecord &r : records)
        ++m_start[size_t(cellOf(r)) + 1];
    for (size_t i = 1; i < m_start.size(); ++i)
        m_start[i] += m_start[i - 1];
    std::vector<quint32> next(m_start.begin(), m_start.end() - 1);
    for (size_t i = 0; i < records.size(); ++i)
        m_positions[next[size_t(cellOf(records[i]))]++] = quint32(i);
}

void CameraIndex::appendRow(int row, int firstColumn, int lastColumn,
                            std::vector<quint32> &out) const
{
    const size_t base = size_t(row) * size_t(m_columns);
    out.insert(out.end(), m_positions.begin() + m_start[base + size_t(firstColumn)],
               m_positions.begin() + m_start[base + size_t(lastColumn) + 1]);
}

void CameraIndex::near(const NavFormula::Point &p, double radians, std::vector<quint32> &out) const
{
    if (m_positions.empty() || !std::isfinite(p.lat) || !std::isfinite(p.lon))
        return;
    const double latitude = p.lat * NavFormula::DegreesPerRadian;
    const double longitude = -p.lon * NavFormula::DegreesPerRadian; // east positive
    const double reach = std::max(radians, 0.0) * NavFormula::DegreesPerRadian + MarginDegrees;
    const double south = latitude - reach;
    const double north = latitude + reach;
    // The widest longitude of a circle around the fix; a circle over a pole takes all.
    bool allColumns = reach >= 90.0 || north >= 90.0 || south <= -90.0;
    double span = 180.0;
    if (!allColumns) {
        const double ratio = std::sin(std::min(radians, std::numbers::pi / 2)) /
                             std::cos(latitude / NavFormula::DegreesPerRadian);
        allColumns = !(ratio < 1.0);
        if (!allColumns)
            span = std::asin(ratio) * NavFormula::DegreesPerRadian + MarginDegrees;
    }
    const int west = column(longitude - span);
    const int columns =
        allColumns
            ? m_columns
            : std::min(m_columns, int(std::floor((longitude + span + 180.0) / m_cellDegrees) -
                                      std::floor((longitude - span + 180.0) / m_cellDegrees)) +
                                      1);
    for (int r = row(south); r <= row(north); ++r) {
        if (columns >= m_columns) {
            appendRow(r, 0, m_columns - 1, out);
        } else if (west + columns <= m_columns) {
            appendRow(r, west, west + columns - 1, out);
        } else {
            appendRow(r, west, m_columns - 1, out);
            appendRow(r, 0, west + columns - 1 - m_columns, out);
        }
    }
}
