#pragma once

#include "core/IntervalTimer.h"
#include "core/SerialPortControl.h"
#include "serial/SerialByIdName.h"

#include <QString>

#include <functional>
#include <memory>

// A serial port that comes back: when the line hangs up (a USB adapter unplugged, the
// machine back from standby) or can't be opened while it is wanted, the port is closed
// and opened again every SearchMs until it is there, with one system message each way.
// An adapter that comes back under another /dev/ttyUSBn is found by its
// /dev/serial/by-id name, taken when the port last opened.
// "Wanted" is what the owner asked last: OpenPort wants it, ClosePort does not. After a
// hang-up isOpen() is false until the port is back.
// A port that opens in the background (gpsd over the network) is back once its connection
// stands; one still under way at the next look counts as missing and is started again.
class ReopeningPort : public SerialPortControl {
public:
    static constexpr int SearchMs = 2000;

    struct Wiring {
        QString name;                        // "GPS", "CAN2COM"
        std::function<QString()> deviceName; // what it opens, for the messages
        IntervalTimer::Factory timers;
        // Opens this device instead of the configured one (empty: the configured one
        // again); empty: the port has no other name.
        std::function<void(const QString &device)> useDevice = {};
        QString byIdDir = SerialByIdName::Dir;
    };

    ReopeningPort(std::unique_ptr<SerialPortControl> port, Wiring wiring);
    ~ReopeningPort() override;

    static QString goneText(const QString &name, const QString &device);
    static QString backText(const QString &name, const QString &device);

    void ClosePort() override;
    void setPortIndex(int index) override;
    int portIndex() const override;
    // Throws as the port does; a wanted port that fails is looked for again.
    bool OpenPort() override;
    bool isOpen() const override;
    void setOnReceiveData(ReceiveHandler handler) override;
    void setOnHangup(std::function<void()> handler) override;
    void setOnMessage(std::function<void(const QString &line)> handler) override;

    // Looks at once instead of at the next tick (the machine has just woken up).
    void searchNow();
    bool searching() const;
    SerialPortControl &port() { return *m_port; }

private:
    void hungUp();
    void opened();
    void lost();
    void found();
    bool tryOpen();
    bool openAs(const QString &device);
    void useDevice(const QString &device);

    std::unique_ptr<SerialPortControl> m_port;
    Wiring m_wiring;
    std::unique_ptr<IntervalTimer> m_search;
    std::function<void()> m_onHangup;
    std::function<void(const QString &)> m_message;
    bool m_wanted = false;
    bool m_lostReported = false;
    QString m_byIdName; // of the device last opened
};
