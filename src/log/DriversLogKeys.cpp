#include "log/DriversLogKeys.h"

#include "core/CommandKey.h"
#include "core/ScreenHost.h"
#include "log/DriversLog.h"
#include "log/DriversLogScreen.h"
#include "widgets/PanelButton.h"

DriversLogKeys::DriversLogKeys(DriversLogScreen &screen, DriversLog &log, ScreenHost &screens)
    : m_screen(screen), m_log(log), m_screens(screens)
{
}

void DriversLogKeys::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::C:
        select();
        break;
    case CommandKey::R:
        step(+1);
        break;
    case CommandKey::L:
        step(-1);
        break;
    case CommandKey::Q:
        m_screens.Button5Click();
        break;
    default:
        break;
    }
}

void DriversLogKeys::select()
{
    FocusRing &focus = m_screen.focus();
    if (focus.has(m_screen.Panel88)) {
        m_log.Panel88Click();
    } else if (focus.has(m_screen.Panel90)) {
        m_log.Panel90Click();
    } else if (focus.has(m_screen.Panel91)) {
        OdometerEdit = !OdometerEdit;
        m_screen.setEditLook(m_screen.Panel91, OdometerEdit);
    } else if (focus.has(m_screen.Panel89)) {
        ClockEdit = !ClockEdit;
        m_screen.setEditLook(m_screen.Panel89, ClockEdit);
    }
}

// R (+1) stops at "Mode" and L (-1) at "Show Map", the ends of the menu.
void DriversLogKeys::step(int direction)
{
    FocusRing &focus = m_screen.focus();
    if (focus.has(direction > 0 ? m_screen.Panel90 : m_screen.Panel88))
        return;
    if (focus.has(m_screen.Panel91) && OdometerEdit) {
        m_log.correctOdometer(direction);
    } else if (focus.has(m_screen.Panel89) && ClockEdit) {
        direction > 0 ? m_log.ClockStepForward() : m_log.ClockStepBack();
    } else if (direction > 0) {
        focus.next();
    } else {
        focus.previous();
    }
}
