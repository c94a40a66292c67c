#pragma once

#include <QtGlobal>

#include <array>

// The display's gamma ramp: one table of 256 entries (0..65535), the same for red, green
// and blue. Where the platform has no gamma ramp, apply does nothing.
class GammaRamp {
public:
    using Table = std::array<quint16, 256>;

    virtual ~GammaRamp() = default;
    virtual void apply(const Table &table) = 0;
};
