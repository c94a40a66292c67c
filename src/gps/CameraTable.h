#pragma once

#include "gps/CameraIndex.h"
#include "gps/CameraRecord.h"
#include "gps/NavFormula.h"

#include <vector>

// The cameras of radar.bin in file order, each with its position prepared for the
// formulas, and the spatial index over them.
class CameraTable {
public:
    CameraTable() = default;
    explicit CameraTable(std::vector<CameraRecord> records);

    qsizetype CameraCount() const { return qsizetype(m_records.size()); }
    const CameraRecord &record(quint32 position) const { return m_records[position]; }
    const NavFormula::Point &point(quint32 position) const { return m_points[position]; }
    const CameraIndex &index() const { return m_index; }

private:
    std::vector<CameraRecord> m_records;
    std::vector<NavFormula::Point> m_points;
    CameraIndex m_index;
};
