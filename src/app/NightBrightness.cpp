#include "app/NightBrightness.h"

#include "core/SettingsModel.h"

#include <QAbstractSlider>

NightBrightness::NightBrightness(QAbstractSlider &knob, SettingsModel &settings)
    : m_knob(knob), m_settings(settings), m_dayPosition(knob.value())
{
    connect(&knob, &QAbstractSlider::valueChanged, this, [this](int position) { moved(position); });
}

void NightBrightness::setNight(bool night)
{
    if (night == m_night)
        return;
    m_night = night;
    const int position = night ? m_settings.values().nightBrightness : m_dayPosition;
    if (night)
        m_dayPosition = m_knob.value();
    m_moving = true;
    m_knob.setValue(position);
    m_moving = false;
}

void NightBrightness::moved(int position)
{
    if (m_night && !m_moving)
        m_settings.set(&Settings::nightBrightness,
                       qMin(position, int(Settings::NightBrightnessMax)));
}
