#pragma once

#include "core/Fix.h"
#include "gps/CameraCheck.h"
#include "gps/CameraTable.h"
#include "gps/RadarMap.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class CameraWarningView;
class PositionSource;
class ScreenHost;
class SoundPlayer;
struct SharedValues;

// The speed-camera warning of the POI screen: the camera table from radar.bin, the check
// after every fix with its labels, the alert (sound, picture, the POI screen over any
// other, and the way back 5 s after the last alerting fix) and the radar map. It
// subscribes to the fixes of a position source; while the switch (RadarSystemOn) is on,
// each fix runs the check and then the map is drawn from its result. The knob's scale
// and warning distance are handed in when they change.
class CameraWarning : public QObject {
    Q_OBJECT
public:
    static constexpr int AlertMs = 5000;

    // What the warning needs of the window.
    struct Window {
        ScreenHost &screens;
        SoundPlayer &sound;
        // The switch, the alert return page, and the fix in degrees and minutes with its
        // course that the check measures from.
        SharedValues &shared;
        CameraWarningView &view;
        PositionSource &positions;
        std::function<QString()> warningSound;                 // the alarm sound's path
        std::function<void(bool)> showIndicator;               // the status line's "POI"
        std::function<void()> hideVideo;                       // the film's picture
        std::function<void(const QString &)> addSystemMessage; // SysMemo
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
    // Less light for the background by night: the map is drawn again from the last check,
    // without a new one (that would count as one more fix for the alert).
    void setPictureLight(qreal light);

    // The knob's scale (a scale that isn't a positive number is drawn as 1 km) and warning
    // distance; the map is redrawn with them by the caller or by the next fix.
    void setScale(double km);
    void setWarningDistance(double km);
    double scaleKm() const { return m_scaleKm; }
    double warningDistanceKm() const { return m_warningKm; }

    // While the warning is on: the check of the last fix, then the map drawn from its
    // result and copied to the paint box. With the warning off the map is the background.
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
    void onFix(const Fix &fix);
    bool checkCameras(double coverageKm);
    void raiseAlert();
    void showSwitchState();

    Window m_w;
    CameraTable m_table;
    CameraCheck m_check;
    RadarMap m_map;
    bool m_lastRebuilt = false; // whether the check behind the bitmap rebuilt its entries
    Countdown m_countdown;
    std::optional<Fix> m_fix; // the last one published
    double m_scaleKm = 1.0;
    double m_warningKm = 1.0;
};
