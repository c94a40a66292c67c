#include "app/DayNight.h"

#include "core/ColourScheme.h"
#include "core/Fix.h"
#include "log/MapPalette.h"
#include "log/MapScreen.h"
#include "platform/SystemClock.h"

#include <QLabel>

DayNight::DayNight(Parts parts) : m_p(parts)
{
    QObject::connect(&m_switch, &NightSwitch::nightChanged, &m_p.moon,
                     [this](bool night) { apply(night); });
}

void DayNight::configure(const QString &source, bool can2comEnabled, bool mapNight)
{
    m_mapNight = mapNight;
    const NightSwitch::Source fallback =
        can2comEnabled ? NightSwitch::Source::Lights : NightSwitch::Source::Sun;
    m_switch.setSource(NightSwitch::sourceFromText(source).value_or(fallback), now());
    apply(m_switch.isNight());
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
}
