#include "app/DayNight.h"

#include "core/ColourScheme.h"
#include "core/Fix.h"
#include "core/SettingsModel.h"
#include "log/MapPalette.h"
#include "log/MapScreen.h"
#include "platform/SystemClock.h"

#include <QLabel>

DayNight::DayNight(Parts parts) : m_p(parts), m_brightness(parts.brightness, parts.settings)
{
    const Settings &s = m_p.settings.values();
    m_can2comEnabled = s.can2comEnabled;
    m_mapNight = s.mapNight;
    // The source first, then one colour pass for whatever it says.
    followSource();
    apply(m_switch.isNight());
    QObject::connect(&m_switch, &NightSwitch::nightChanged, &m_p.moon,
                     [this](bool night) { apply(night); });
    QObject::connect(&m_p.settings, &SettingsModel::changed, &m_switch, [this](Settings::Key key) {
        if (key == Settings::Key::NightSource)
            followSource();
    });
}

void DayNight::followSource()
{
    m_switch.setSource(NightSwitch::sourceFor(m_p.settings.values().nightSource, m_can2comEnabled),
                       now());
}

void DayNight::lightSwitch(int value)
{
    // An invalid state says nothing about the lights.
    if (value < 0 || value > 3)
        return;
    m_switch.lightsChanged(NightSwitch::Lights(value), now());
}

void DayNight::position(const Fix &fix)
{
    if (fix.valid)
        m_switch.positionChanged(fix.latitude, fix.longitude, now());
}

void DayNight::tick() { m_switch.tick(now()); }

QDateTime DayNight::now() const { return m_p.clock.now().toUTC(); }

void DayNight::apply(bool night)
{
    m_p.colours.setNight(night);
    m_p.colours.changecolors();
    m_p.map.setMapPalette(night || m_mapNight ? MapPalette::night() : MapPalette::day());
    m_p.moon.setVisible(night);
    m_brightness.setNight(night);
}
