#pragma once

#include "core/KeyContext.h"

#include <functional>

// The knob on the POI screen: the radar map's scale ladder, the warning switch and the
// warning distance.
class PoiKeys : public KeyContext {
public:
    struct Actions {
        std::function<void()> scaleChanged;       // label and map repaint
        std::function<void()> sensitivityChanged; // label and map repaint
        std::function<void()> toggleWarning;      // the warning check box
        std::function<void()> back;               // main menu
    };

    explicit PoiKeys(Actions actions) : m_actions(std::move(actions)) {}
    void commandKey(quint16 key) override;

    // One rung down: 20 -> 10 -> 5 -> 4 -> 3 -> 2 -> 1 -> 0.5 -> 0.3; other values stay.
    static double scaleDown(double km);
    // One rung up: below 0.5 -> 0.5, then up to 20; 20 and values off the ladder stay.
    static double scaleUp(double km);
    static double sensitivityUp(double km) { return km + 0.1; }
    static double sensitivityDown(double km) { return km > 0.15 ? km - 0.1 : km; }

    double MapScaleKm = 1.0;
    double WarningDistanceKm = 1.0;

private:
    Actions m_actions;
};
