#pragma once

#include "gps/TBrkApart.h"
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"

#include <QString>

#include <functional>

class NavigationText;
struct SharedValues;

// NMEA reception: turns each chunk of the GPS line into the current fix, the odometer
// and the navigation read-outs, then lets the camera check and the radar map run.
//
// A chunk is processed to its end before the next event is handled: nothing here lets
// the event loop run, so a chunk, key or timer that arrives meanwhile waits in the
// queue and the fixes are never seen half-updated.
class GpsReception {
public:
    struct Hooks {
        std::function<void()> dataArrived; // the line watchdog
        // The read-outs of the radar screen, while the warning is on.
        std::function<void(const NavigationText &)> showNavigation;
        std::function<void()> checkForRadar;                // camera check and map redraw
        std::function<void(const QString &)> systemMessage; // a line for SysMemo
        // After each odometer step: step and total ("0,012 => 1234,567") and the whole
        // kilometres ("1234") for the drivers-log screen.
        std::function<void(const QString &stepText, const QString &wholeKm)> tripShown;
    };

    GpsReception(SharedValues &shared, Hooks hooks);

    // The GPS port's receive handler: Buffer holds BufferLength bytes; the text ends at
    // the first zero byte.
    void VSSComm321ReceiveData(const char *Buffer, quint16 BufferLength);
    void ProcessNmeaText(const QString &text);

    // The four test inputs of the radar screen.
    void RadarSystemMessageClick();
    void RadarSensitivityLabelClick();
    void Second_RadarWarning_distanceClick();
    void Nav_scaleClick();

    const Tgps_gga &gga() const { return gps_gga1; }
    const Tgps_rmc &rmc() const { return gps_rmc1; }

private:
    void fixUpdate();
    void radarStep();

    SharedValues &m_shared;
    Hooks m_hooks;
    TBrkApart BrkApart1;
    Tgps_gga gps_gga1;
    Tgps_rmc gps_rmc1;
};
