#include "log/AreaKind.h"

#include <charconv>
#include <initializer_list>

namespace {

bool isOneOf(std::string_view value, std::initializer_list<std::string_view> values)
{
    for (const std::string_view v : values)
        if (value == v)
            return true;
    return false;
}

std::optional<std::uint8_t> adminLevelOf(std::string_view text)
{
    int level = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (level < LowestTownLevel || level > MunicipalityLevel)
        return std::nullopt;
    return std::uint8_t(level);
}

} // namespace

std::optional<AreaKind> areaKindOf(const std::function<std::string_view(const char *)> &tag,
                                   std::uint8_t &level)
{
    level = 0;
    if (tag("boundary") == "administrative") {
        const auto admin = adminLevelOf(tag("admin_level"));
        if (!admin || tag("name").empty())
            return std::nullopt;
        level = *admin;
        return AreaKind::Boundary;
    }
    const std::string_view natural = tag("natural");
    const std::string_view landuse = tag("landuse");
    if (natural == "water" || !tag("water").empty() || tag("waterway") == "riverbank" ||
        isOneOf(landuse, {"reservoir", "basin"}))
        return AreaKind::Water;
    if (tag("leisure") == "park" || natural == "wood" ||
        isOneOf(landuse, {"forest", "grass", "meadow"}))
        return AreaKind::Green;
    if (isOneOf(landuse, {"residential", "commercial", "industrial", "retail"}))
        return AreaKind::BuiltUp;
    if (const std::string_view building = tag("building"); !building.empty() && building != "no")
        return AreaKind::Building;
    return std::nullopt;
}
