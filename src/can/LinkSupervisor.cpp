#include "can/LinkSupervisor.h"

#include "core/SerialPortControl.h"

#include <QLabel>

#include <exception>

LinkSupervisor::LinkSupervisor(Wiring wiring, const IntervalTimer::Factory &timers)
    : m_wiring(std::move(wiring)), m_watchdog(timers()), m_supervisor(timers())
{
    m_watchdog->setHandler([this] { CANTimeoutTimer(); });
    m_supervisor->setHandler([this] { COMSupervisorTimerTimer(); });
    m_watchdog->start(WatchdogMs);
    m_supervisor->start(SupervisorMs);
}

void LinkSupervisor::setLabelColour(const QColor &colour)
{
    QPalette p = m_wiring.canLabel.palette();
    p.setColor(QPalette::WindowText, colour);
    m_wiring.canLabel.setPalette(p);
}

void LinkSupervisor::dataArrived()
{
    m_live = true;
    setLabelColour(m_wiring.mainColour());
    m_watchdog->stop();
    m_watchdog->start(WatchdogMs);
}

// The timer goes on with the same interval: without data "CAN" is set red again and
// again.
void LinkSupervisor::CANTimeoutTimer()
{
    m_live = false;
    setLabelColour(Red);
}

void LinkSupervisor::schemeChanged()
{
    if (m_live)
        setLabelColour(m_wiring.mainColour());
}

void LinkSupervisor::COMSupervisorTimerTimer()
{
    if (!m_wiring.enabled() || m_wiring.port.isOpen())
        return;
    m_wiring.sysMessage(RestartingText);
    try {
        m_wiring.port.ClosePort();
        m_wiring.port.OpenPort();
    } catch (...) {
        // A missing or busy port: the next tick tries again.
    }
}

void LinkSupervisor::BitBtn12Click()
{
    try {
        m_wiring.port.ClosePort();
        m_wiring.port.OpenPort();
    } catch (const std::exception &e) {
        if (m_wiring.messageBox)
            m_wiring.messageBox(QString::fromUtf8(e.what()));
    } catch (...) {
    }
}

void LinkSupervisor::BitBtn13Click()
{
    try {
        m_wiring.port.ClosePort();
    } catch (...) {
    }
}

void LinkSupervisor::setMessageBox(std::function<void(const QString &)> messageBox)
{
    m_wiring.messageBox = std::move(messageBox);
}
