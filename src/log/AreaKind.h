#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// The kinds of area the map keeps, in the order they are drawn (later ones on top), and
// the administrative boundaries that name the town of a position (never drawn).
enum class AreaKind : std::uint8_t { Sea, BuiltUp, Green, Water, Building, Boundary };
constexpr std::size_t AreaKindCount = std::size_t(AreaKind::Boundary) + 1;

// The administrative levels that name a town: the municipality, then the larger units an
// extract without municipalities may have, down to the country (a city state such as
// Monaco is a country with no municipality of its own).
constexpr std::uint8_t MunicipalityLevel = 8;
constexpr std::uint8_t LowestTownLevel = 2;

// The kind of an area from its tags (tag(key) gives the value, empty when missing); none
// for areas the map leaves out. A boundary's admin_level comes through level.
std::optional<AreaKind> areaKindOf(const std::function<std::string_view(const char *)> &tag,
                                   std::uint8_t &level);
