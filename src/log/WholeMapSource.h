#pragma once

#include "log/MapSource.h"

// An extract read whole into memory: every view and look-up uses all of it.
class WholeMapSource : public MapSource {
public:
    explicit WholeMapSource(std::shared_ptr<const MapData> data) : m_data(std::move(data)) {}

    GeoBox bounds() const override;
    std::shared_ptr<const MapData> drawing(const GeoBox &, double) override { return m_data; }
    std::shared_ptr<const MapData> lookUp(double, double) override { return m_data; }

private:
    std::shared_ptr<const MapData> m_data;
};
