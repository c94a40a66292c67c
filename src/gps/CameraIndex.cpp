#include "gps/CameraIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Room for rounding at the box's edges, in degrees (a few centimetres).
constexpr double MarginDegrees = 1e-6;
} // namespace

int CameraIndex::row(double latitude)
{
    const double r = std::floor((latitude + 90.0) / CellDegrees);
    return int(std::clamp(r, 0.0, double(Rows - 1)));
}

// Longitudes wrap: 180 and -180 are the same meridian.
int CameraIndex::column(double longitude)
{
    const double c = std::floor((longitude + 180.0) / CellDegrees);
    const double wrapped = std::fmod(c, double(Columns));
    return int(wrapped < 0 ? wrapped + Columns : wrapped);
}

int CameraIndex::cellOf(const CameraRecord &record)
{
    if (!std::isfinite(record.Latitude) || !std::isfinite(record.Longitude))
        return 0;
    return row(record.Latitude) * Columns + column(record.Longitude);
}

CameraIndex::CameraIndex(const std::vector<CameraRecord> &records)
    : m_start(size_t(Rows) * Columns + 1, 0), m_positions(records.size())
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
    const size_t base = size_t(row) * Columns;
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
        allColumns ? Columns
                   : std::min(Columns, int(std::floor((longitude + span + 180.0) / CellDegrees) -
                                           std::floor((longitude - span + 180.0) / CellDegrees)) +
                                           1);
    for (int r = row(south); r <= row(north); ++r) {
        if (columns >= Columns) {
            appendRow(r, 0, Columns - 1, out);
        } else if (west + columns <= Columns) {
            appendRow(r, west, west + columns - 1, out);
        } else {
            appendRow(r, west, Columns - 1, out);
            appendRow(r, 0, west + columns - 1 - Columns, out);
        }
    }
}
