#include "log/WholeMapSource.h"

#include "log/MapData.h"

GeoBox WholeMapSource::bounds() const { return m_data->bounds(); }
