#include "log/MapData.h"
#include "log/MapReader.h"
#include "log/PlaceFinder.h"

#include <cstddef>
#include <cstdint>

// Any bytes as an OpenStreetMap XML extract: reading (areas, multipolygon relations and
// coastline included) must end without a crash, hang or leak, and whatever was read must
// answer look-ups at its own points.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A map file is large, but its parser works a buffer at a time; small inputs find
    // the same faults faster.
    if (size > 64 * 1024)
        return 0;
    const MapReader::Result result = MapReader::readXml(reinterpret_cast<const char *>(data), size);
    if (!result.data)
        return 0;
    const PlaceFinder finder(*result.data);
    for (const MapData::Place &place : result.data->places())
        (void)finder.placeAt(place.at.latitude(), place.at.longitude());
    for (const MapData::Area &area : result.data->areas()) {
        const GeoPoint at = result.data->pointsOf(result.data->ringsOf(area).front()).front();
        (void)result.data->contains(area, at);
        (void)finder.placeAt(at.latitude(), at.longitude(), 90.0);
    }
    for (const MapData::Road &road : result.data->roads()) {
        const GeoPoint at = result.data->pointsOf(road).front();
        if (finder.placeAt(at.latitude(), at.longitude()).isEmpty())
            __builtin_trap(); // a point of a road is always a position
    }
    return 0;
}
