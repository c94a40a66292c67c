#include "gps/CameraTable.h"

CameraTable::CameraTable(std::vector<CameraRecord> records)
    : m_records(std::move(records)), m_index(m_records)
{
}
