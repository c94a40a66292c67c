#pragma once

#include "log/RoadClass.h"

#include <osmium/osm/way.hpp>
#include <osmium/tags/tags_filter.hpp>

// What the map reads from OpenStreetMap tags, shared by the reading of an extract and
// the import of a prepared map so that both keep the same.
class OsmTags {
public:
    // The value of the key, empty when missing.
    static const char *tag(const osmium::OSMObject &object, const char *key);
    // Only areas of these keys are assembled: every other closed way is left alone.
    static osmium::TagsFilter areaFilter();
    static RoadLevel levelOf(const osmium::Way &way);
};
