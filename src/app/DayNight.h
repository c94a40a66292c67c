#pragma once

#include "app/NightBrightness.h"
#include "core/NightSwitch.h"

#include <QString>

class ColourScheme;
class MapScreen;
class QAbstractSlider;
class QLabel;
class SettingsModel;
class SystemClock;
struct Fix;

// Day and night for the whole window: the night switch, fed by the car's light switch, the
// fixes and the status clock's tick; the colour pass, the map's palette, the brightness and
// the moon glyph of the status line follow it at once, with no change of screen, focus or
// playback.
class DayNight {
public:
    struct Parts {
        ColourScheme &colours;
        MapScreen &map;
        QLabel &moon;
        SystemClock &clock; // the computer's clock, as the drivers log sets it
        SettingsModel &settings;
        QAbstractSlider &brightness; // the knob of the options page "Screen"
    };

    // Starts from the loaded settings, "Night"/"Source" and "Map"/"Night" (the map's colours
    // by day too); a source chosen later on the options page applies at once.
    explicit DayNight(Parts parts);

    // A light-switch line of the CAN2COM link: 0 off, 1 park, 2 lower, 3 upper.
    void lightSwitch(int value);
    void position(const Fix &fix);
    // Every second or so: the sun moves and a held change comes due.
    void tick();

    const NightSwitch &nightSwitch() const { return m_switch; }

private:
    void followSource();
    void apply(bool night);
    QDateTime now() const;

    Parts m_p;
    NightSwitch m_switch;
    NightBrightness m_brightness;
    bool m_can2comEnabled = false; // as loaded: the link's port opens only at a start
    bool m_mapNight = false;
};
