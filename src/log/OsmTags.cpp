#include "log/OsmTags.h"

#include <string_view>

const char *OsmTags::tag(const osmium::OSMObject &object, const char *key)
{
    return object.tags().get_value_by_key(key, "");
}

osmium::TagsFilter OsmTags::areaFilter()
{
    osmium::TagsFilter filter(false);
    for (const char *key :
         {"natural", "water", "waterway", "landuse", "leisure", "building", "boundary"})
        filter.add_rule(true, osmium::TagMatcher(key));
    return filter;
}

RoadLevel OsmTags::levelOf(const osmium::Way &way)
{
    const std::string_view tunnel = tag(way, "tunnel");
    if (!tunnel.empty() && tunnel != "no")
        return RoadLevel::Tunnel;
    const std::string_view bridge = tag(way, "bridge");
    if (!bridge.empty() && bridge != "no")
        return RoadLevel::Bridge;
    return RoadLevel::Surface;
}
