#pragma once

#include "core/IntervalTimer.h"

#include <QString>

#include <functional>
#include <memory>

class CameraWarning;
class ColourScheme;
class GpsReception;
class GpsWatchdog;
class RadarScreen;
class RadarWarningView;
class ScreenHost;
class SerialPortControl;
class SettingsModel;
class SoundPlayer;
class StatusLine;
struct SharedValues;

// The GPS side of the window: the NMEA reception on the GPS port with its watchdog, the
// radar screen's read-outs, test inputs and warning switch, and the camera warning, which
// subscribes to the reception's fixes.
class GpsWiring {
public:
    struct Parts {
        SharedValues &shared;
        ScreenHost &screens;
        SoundPlayer &sound;
        SettingsModel &settings; // the alarm sound
        RadarScreen &radar;
        StatusLine &status;
        ColourScheme &colours;
        SerialPortControl &port;
        std::function<void()> hideVideo;
        std::function<void(const QString &)> systemMessage;
        IntervalTimer::Factory alertTimers; // empty: the warning's own Qt timer
        // After each step of the odometer, inside a burst too (the checkpoints).
        std::function<void()> odometerStep = {};
    };

    explicit GpsWiring(Parts parts);
    ~GpsWiring();
    GpsWiring(const GpsWiring &) = delete;
    GpsWiring &operator=(const GpsWiring &) = delete;

    GpsReception &reception() const { return *m_reception; }
    CameraWarning &cameras() const { return *m_cameras; }
    GpsWatchdog &watchdog() const { return *m_watchdog; }

    // The knob's scale and warning distance: shown, handed to the warning, the map redrawn.
    void showScale(double km);
    void showWarningDistance(double km);
    // The map's background and the camera table of the program directory, then the map.
    void loadCameras(const QString &programDir);

private:
    void connectRadarScreen();
    void useAlertTimer();

    Parts m_p;
    std::unique_ptr<GpsWatchdog> m_watchdog;
    std::unique_ptr<GpsReception> m_reception;
    std::unique_ptr<RadarWarningView> m_view;
    std::unique_ptr<CameraWarning> m_cameras;
    std::unique_ptr<IntervalTimer> m_alertTimer;
};
