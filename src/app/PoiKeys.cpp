#include "app/PoiKeys.h"

#include "core/CommandKey.h"

#include <array>

namespace {
constexpr std::array<double, 9> Ladder{0.3, 0.5, 1, 2, 3, 4, 5, 10, 20};

void call(const std::function<void()> &f)
{
    if (f)
        f();
}
} // namespace

double PoiKeys::scaleDown(double km)
{
    for (size_t i = 1; i < Ladder.size(); ++i) {
        if (km == Ladder[i])
            return Ladder[i - 1];
    }
    return km;
}

double PoiKeys::scaleUp(double km)
{
    if (km < 0.5)
        return 0.5;
    for (size_t i = 0; i + 1 < Ladder.size(); ++i) {
        if (km == Ladder[i])
            return Ladder[i + 1];
    }
    return km;
}

void PoiKeys::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::L:
        MapScaleKm = scaleDown(MapScaleKm);
        call(m_actions.scaleChanged);
        break;
    case CommandKey::R:
        MapScaleKm = scaleUp(MapScaleKm);
        call(m_actions.scaleChanged);
        break;
    case CommandKey::C:
        call(m_actions.toggleWarning);
        break;
    case CommandKey::T:
        WarningDistanceKm = sensitivityUp(WarningDistanceKm);
        call(m_actions.sensitivityChanged);
        break;
    case CommandKey::Z:
        WarningDistanceKm = sensitivityDown(WarningDistanceKm);
        call(m_actions.sensitivityChanged);
        break;
    case CommandKey::Q:
        call(m_actions.back);
        break;
    default:
        break;
    }
}
