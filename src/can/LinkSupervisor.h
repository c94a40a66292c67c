#pragma once

#include "core/IntervalTimer.h"

#include <QColor>
#include <QString>

#include <functional>
#include <memory>

class QLabel;
class SerialPortControl;

// Keeps the CAN2COM link alive and observable: the watchdog CANTimeout turns the status
// line's "CAN" red 15 s after the last chunk, the supervisor re-opens a closed port every
// 15 s while the link is enabled, and "Restart COM" / "Stop COM" act on the port.
class LinkSupervisor {
public:
    static constexpr int WatchdogMs = 15000;
    static constexpr int SupervisorMs = 15000;
    static inline const QColor Red = QColor(0xFF, 0x00, 0x00);
    static inline const QString RestartingText = QStringLiteral("Restarting CAN2COM");

    struct Wiring {
        SerialPortControl &port;
        QLabel &canLabel;
        std::function<QColor()> mainColour;
        std::function<bool()> enabled; // CAN2COMEnabledBox is checked
        std::function<void(const QString &)> sysMessage;
        std::function<void(const QString &)> messageBox;
    };

    // Both timers start running.
    LinkSupervisor(Wiring wiring, const IntervalTimer::Factory &timers);

    // A chunk arrived: "CAN" in the main colour and a full watchdog interval again.
    void dataArrived();
    void CANTimeoutTimer();
    // The colour scheme changed (day, night, main colour): a live "CAN" takes the new colour.
    void schemeChanged();
    void COMSupervisorTimerTimer();
    void BitBtn12Click(); // "Restart COM"
    void BitBtn13Click(); // "Stop COM"
    void setMessageBox(std::function<void(const QString &)> messageBox);

    IntervalTimer &CANTimeout() { return *m_watchdog; }
    IntervalTimer &COMSupervisorTimer() { return *m_supervisor; }

private:
    void setLabelColour(const QColor &colour);

    Wiring m_wiring;
    std::unique_ptr<IntervalTimer> m_watchdog;
    std::unique_ptr<IntervalTimer> m_supervisor;
    bool m_live = false; // data came within the interval: the label is in the main colour
};
