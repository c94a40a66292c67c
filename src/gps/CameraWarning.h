#pragma once

#include "gps/CameraCheck.h"
#include "gps/CameraTable.h"
#include "gps/RadarMap.h"

#include <QObject>
#include <QTimer>

#include <functional>

class CameraWarningView;
class ScreenHost;
class SoundPlayer;
struct SharedValues;

// The speed-camera warning of the POI screen: the camera table from radar.bin, the check
// after every fix with its labels, the alert (sound, picture, the POI screen over any
// other, and the way back 5 s after the last alerting fix) and the radar map. The switch
// (RadarSystemOn) and the knob's scale and warning distance are the screen's; the
// warning reads them.
class CameraWarning : public QObject {
    Q_OBJECT
public:
    static constexpr int AlertMs = 5000;

    // What the warning needs of the window.
    struct Window {
        ScreenHost &screens;
        SoundPlayer &sound;
        SharedValues &shared; // the switch, the alert return page and the fix
        CameraWarningView &view;
        double &MapScaleKm;                                    // the knob's scale ladder
        double &WarningDistanceKm;                             // the knob's warning distance
        std::function<QString()> warningSound;                 // the alarm sound's path
        std::function<QString()> satNum;                       // satellites as received
        std::function<void(bool)> showIndicator;               // the status line's "POI"
        std::function<void()> hideVideo;                       // the film's picture
        std::function<void(const QString &)> addSystemMessage; // SysMemo
        std::function<bool()> hasFix; // the receiver reports a fix now; empty: always
    };

    // The alert's countdown on a timer of the caller's: start(ms) (re)starts it, stop()
    // ends it, and the caller calls AlertDisappearTimerTimer when it runs out. Without
    // one, AlertDisappearTimer counts.
    struct Countdown {
        std::function<void(int ms)> start;
        std::function<void()> stop;
    };

    explicit CameraWarning(Window window, QObject *parent = nullptr);

    // Loads the camera table; called once at start-up.
    void loadradar(const QString &path);
    // The map's background picture; a missing one leaves a black map.
    void loadBackground(const QString &path);

    // Redraws the map (running the check while the warning is on) and copies it to the
    // paint box.
    void seekartePaint();

    void AlertDisappearTimerTimer();
    QTimer AlertDisappearTimer;
    void useCountdown(Countdown countdown);

    const CameraTable &table() const { return m_table; }
    const CameraCheck &check() const { return m_check; }
    const RadarMap &map() const { return m_map; }

signals:
    // The alert came up (again, with every alerting fix) or went.
    void alertShown(bool up);

private:
    bool checkCameras(double coverageKm);
    void raiseAlert();
    void showSwitchState();

    Window m_w;
    CameraTable m_table;
    CameraCheck m_check;
    RadarMap m_map;
    Countdown m_countdown;
};
