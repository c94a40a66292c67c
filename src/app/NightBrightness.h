#pragma once

#include <QObject>

class QAbstractSlider;
class SettingsModel;

// The brightness knob by day and by night. When night begins the knob moves to the night
// value, so its gamma ramp applies as for any move; when day begins it goes back to where
// it stood by day. A position the driver sets by night becomes the night value.
class NightBrightness : public QObject {
public:
    NightBrightness(QAbstractSlider &knob, SettingsModel &settings);

    void setNight(bool night);

private:
    void moved(int position);

    QAbstractSlider &m_knob;
    SettingsModel &m_settings;
    bool m_night = false;
    bool m_moving = false; // the knob is being set here, not by the driver
    int m_dayPosition = 0;
};
