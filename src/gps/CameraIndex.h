#pragma once

#include "gps/CameraRecord.h"
#include "gps/NavFormula.h"

#include <QtGlobal>

#include <vector>

// The cameras in the cells of a fixed grid on the sphere (cells of equal degrees of
// latitude and longitude), filled by a counting pass: one pass counts the cameras of each
// cell, one places them, so a table of a million cameras is indexed in about the time it
// takes to read it. The cells are as fine as the table is large (half a degree for a
// country's database), so a small table costs little memory. A search takes the cells of
// a box that holds every point within an angle of the fix.
class CameraIndex {
public:
    static constexpr double FinestCellDegrees = 0.5;

    CameraIndex() = default;
    explicit CameraIndex(const std::vector<CameraRecord> &records);

    size_t size() const { return m_positions.size(); }
    double cellDegrees() const { return m_cellDegrees; }
    // Appends the position of every camera within the angle (radians) of p, and others
    // near it, in no particular order. The box is wide enough for the rounding of the
    // formulas.
    void near(const NavFormula::Point &p, double radians, std::vector<quint32> &out) const;

private:
    int row(double latitude) const;
    int column(double longitude) const;
    int cellOf(const CameraRecord &record) const;
    void appendRow(int row, int firstColumn, int lastColumn, std::vector<quint32> &out) const;

    double m_cellDegrees = 30.0;
    int m_rows = 6;
    int m_columns = 12;
    std::vector<quint32> m_start;     // first entry of each cell in m_positions, and the end
    std::vector<quint32> m_positions; // table positions, cell by cell
};
