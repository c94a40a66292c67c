#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The kinds of road the map keeps, from the largest to the smallest. Paths, tracks and
// footways are left out: the map serves a car.
enum class RoadClass : std::uint8_t {
    Motorway,
    Trunk,
    Primary,
    Secondary,
    Tertiary,
    Minor,
    Service
};

// The kinds of place a road can lie in.
enum class PlaceKind : std::uint8_t { City, Town, Village, Suburb, Hamlet };

// The road class of an OpenStreetMap "highway" value, none for anything a car doesn't use.
std::optional<RoadClass> roadClassOf(std::string_view highway);
// The place kind of an OpenStreetMap "place" value, none for the kinds the map ignores.
std::optional<PlaceKind> placeKindOf(std::string_view place);
// How far from its node a place reaches, in metres.
double placeReachMetres(PlaceKind kind);
