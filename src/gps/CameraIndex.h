#pragma once

#include "gps/CameraRecord.h"
#include "gps/NavFormula.h"

#include <QtGlobal>

#include <vector>

// The cameras in the cells of a fixed grid on the sphere (CellDegrees of latitude by
// CellDegrees of longitude), filled by a counting pass: one pass counts the cameras of
// each cell, one places them, so a table of a million cameras is indexed in about the
// time it takes to read it. A search takes the cells of a box that holds every point
// within an angle of the fix.
class CameraIndex {
public:
    static constexpr double CellDegrees = 0.5;
    static constexpr int Rows = int(180 / CellDegrees);
    static constexpr int Columns = int(360 / CellDegrees);

    CameraIndex() = default;
    explicit CameraIndex(const std::vector<CameraRecord> &records);

    size_t size() const { return m_positions.size(); }
    // Appends the position of every camera within the angle (radians) of p, and others
    // near it, in no particular order. The box is wide enough for the rounding of the
    // formulas.
    void near(const NavFormula::Point &p, double radians, std::vector<quint32> &out) const;

private:
    static int row(double latitude);
    static int column(double longitude);
    static int cellOf(const CameraRecord &record);
    void appendRow(int row, int firstColumn, int lastColumn, std::vector<quint32> &out) const;

    std::vector<quint32> m_start;     // first entry of each cell in m_positions, and the end
    std::vector<quint32> m_positions; // table positions, cell by cell
};
