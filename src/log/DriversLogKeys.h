#pragma once

#include "core/KeyContext.h"

class DriversLog;
class DriversLogScreen;
class ScreenHost;

// The knob on the drivers-log page: the menu's focus, and the odometer and clock edits
// that turn R and L into steps of the value instead of focus moves.
class DriversLogKeys : public KeyContext {
public:
    DriversLogKeys(DriversLogScreen &screen, DriversLog &log, ScreenHost &screens);
    void commandKey(quint16 key) override;

    bool OdometerEdit = false;
    bool ClockEdit = false;

private:
    void select();
    void step(int direction);

    DriversLogScreen &m_screen;
    DriversLog &m_log;
    ScreenHost &m_screens;
};
