#include "log/RoadClass.h"

#include <array>
#include <utility>

namespace {

using RoadEntry = std::pair<std::string_view, RoadClass>;
constexpr std::array<RoadEntry, 16> RoadValues{{
    {"motorway", RoadClass::Motorway},
    {"motorway_link", RoadClass::Motorway},
    {"trunk", RoadClass::Trunk},
    {"trunk_link", RoadClass::Trunk},
    {"primary", RoadClass::Primary},
    {"primary_link", RoadClass::Primary},
    {"secondary", RoadClass::Secondary},
    {"secondary_link", RoadClass::Secondary},
    {"tertiary", RoadClass::Tertiary},
    {"tertiary_link", RoadClass::Tertiary},
    {"residential", RoadClass::Minor},
    {"unclassified", RoadClass::Minor},
    {"living_street", RoadClass::Minor},
    {"road", RoadClass::Minor},
    {"service", RoadClass::Service},
    {"busway", RoadClass::Service},
}};

using PlaceEntry = std::pair<std::string_view, PlaceKind>;
constexpr std::array<PlaceEntry, 5> PlaceValues{{
    {"city", PlaceKind::City},
    {"town", PlaceKind::Town},
    {"village", PlaceKind::Village},
    {"suburb", PlaceKind::Suburb},
    {"hamlet", PlaceKind::Hamlet},
}};

} // namespace

std::optional<RoadClass> roadClassOf(std::string_view highway)
{
    for (const auto &[value, roadClass] : RoadValues)
        if (value == highway)
            return roadClass;
    return std::nullopt;
}

std::optional<RoadClass> lineClassOf(std::string_view railway, std::string_view waterway)
{
    for (const std::string_view value : {"rail", "light_rail", "narrow_gauge", "subway", "tram"})
        if (railway == value)
            return RoadClass::Railway;
    if (waterway == "river" || waterway == "canal")
        return RoadClass::Waterway;
    return std::nullopt;
}

bool isMajorRoad(RoadClass roadClass) { return roadClass <= RoadClass::Secondary; }

std::optional<PlaceKind> placeKindOf(std::string_view place)
{
    for (const auto &[value, kind] : PlaceValues)
        if (value == place)
            return kind;
    return std::nullopt;
}

double placeReachMetres(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::City:
        return 12000.0;
    case PlaceKind::Town:
        return 5000.0;
    case PlaceKind::Village:
        return 2000.0;
    case PlaceKind::Suburb:
        return 1500.0;
    case PlaceKind::Hamlet:
        return 800.0;
    }
    return 0.0;
}
