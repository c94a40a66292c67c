#include "gps/CameraTable.h"

CameraTable::CameraTable(std::vector<CameraRecord> records) : m_records(std::move(records))
{
    m_points.reserve(m_records.size());
    for (const CameraRecord &r : m_records)
        m_points.push_back(NavFormula::pointOfDegrees(r.Latitude, r.Longitude));
    m_index = CameraIndex(m_points);
}
