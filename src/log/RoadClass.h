#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The kinds of road the map keeps, from the largest to the smallest. Paths, tracks and
// footways are left out: the map serves a car. Railways and rivers come last: they are
// drawn like roads but a car is never on them, so the street look-up stops at Service.
enum class RoadClass : std::uint8_t {
    Motorway,
    Trunk,
    Primary,
    Secondary,
    Tertiary,
    Minor,
    Service,
    Railway,
    Waterway
};
constexpr std::size_t RoadClassCount = std::size_t(RoadClass::Waterway) + 1;
constexpr RoadClass LastCarRoad = RoadClass::Service;

// Where a road runs: on the ground, under it or over something.
enum class RoadLevel : std::uint8_t { Surface, Tunnel, Bridge };

// The kinds of place a road can lie in.
enum class PlaceKind : std::uint8_t { City, Town, Village, Suburb, Hamlet };

// The road class of an OpenStreetMap "highway" value, none for anything a car doesn't use.
std::optional<RoadClass> roadClassOf(std::string_view highway);
// The class of an OpenStreetMap "railway" or "waterway" line the map draws, none for others.
std::optional<RoadClass> lineClassOf(std::string_view railway, std::string_view waterway);
// Motorway to secondary: named at wide views, with their number.
bool isMajorRoad(RoadClass roadClass);
// The place kind of an OpenStreetMap "place" value, none for the kinds the map ignores.
std::optional<PlaceKind> placeKindOf(std::string_view place);
// How far from its node a place reaches, in metres.
double placeReachMetres(PlaceKind kind);
