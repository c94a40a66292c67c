#pragma once

#include "log/GeoBox.h"

#include <functional>
#include <memory>

class MapData;

// Where the map page gets its data: the whole of a small extract read into memory, or the
// tiles of a prepared map read as they are needed. Used on the UI thread.
class MapSource {
public:
    virtual ~MapSource() = default;

    // The box around every road and place.
    virtual GeoBox bounds() const = 0;
    // The data to draw the box at the scale with; it may hold more than the box.
    virtual std::shared_ptr<const MapData> drawing(const GeoBox &box, double metresPerPixel) = 0;
    // The data a street and town look-up at the point needs.
    virtual std::shared_ptr<const MapData> lookUp(double latitude, double longitude) = 0;
    // Called once, at the first part of the data found damaged after opening; a source read
    // whole at opening has none to find.
    virtual void setDamageReport(std::function<void()> report) { (void)report; }
};
