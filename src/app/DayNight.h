#pragma once

#include "core/NightSwitch.h"

#include <QString>

class ColourScheme;
class MapScreen;
class QLabel;
class SystemClock;
struct Fix;

// Day and night for the whole window: the night switch, fed by the car's light switch, the
// fixes and the status clock's tick; the colour pass, the map's palette and the moon glyph
// of the status line follow it at once, with no change of screen, focus or playback.
class DayNight {
public:
    struct Parts {
        ColourScheme &colours;
        MapScreen &map;
        QLabel &moon;
        SystemClock &clock; // the computer's clock, as the drivers log sets it
    };

    explicit DayNight(Parts parts);

    // source: "Night"/"Source"; empty or unknown: the lights when the CAN2COM link is
    // enabled, else the sun. mapNight: "Map"/"Night", the map's colours by day too.
    void configure(const QString &source, bool can2comEnabled, bool mapNight);
    // A light-switch line of the CAN2COM link: 0 off, 1 park, 2 lower, 3 upper.
    void lightSwitch(int value);
    void position(const Fix &fix);
    // Every second or so: the sun moves and a held change comes due.
    void tick();

    const NightSwitch &nightSwitch() const { return m_switch; }

private:
    void apply(bool night);
    QDateTime now() const;

    Parts m_p;
    NightSwitch m_switch;
    bool m_mapNight = false;
};
