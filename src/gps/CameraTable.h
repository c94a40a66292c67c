#pragma once

#include "gps/CameraIndex.h"
#include "gps/CameraRecord.h"
#include "gps/NavFormula.h"

#include <vector>

// The cameras of radar.bin in file order and the spatial index over them. A camera's
// position for the formulas is worked out when it is measured: a check measures only the
// few near the fix, and loading stays a copy and a counting pass.
class CameraTable {
public:
    CameraTable() = default;
    explicit CameraTable(std::vector<CameraRecord> records);

    qsizetype CameraCount() const { return qsizetype(m_records.size()); }
    const CameraRecord &record(quint32 position) const { return m_records[position]; }
    NavFormula::Point point(quint32 position) const
    {
        return NavFormula::pointOfDegrees(m_records[position].Latitude,
                                          m_records[position].Longitude);
    }
    const CameraIndex &index() const { return m_index; }

private:
    std::vector<CameraRecord> m_records;
    CameraIndex m_index;
};
