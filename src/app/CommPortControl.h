#pragma once

#include "core/SerialPortControl.h"
#include "serial/CommTypes.h"

#include <QString>

#include <memory>

class TVSSComm32;

// The window's view of a real serial line: port indices 0..8 are COM1..COM9.
class CommPortControl : public SerialPortControl {
public:
    explicit CommPortControl(std::unique_ptr<TVSSComm32> port);
    // The window's two lines, 8 data bits, no parity, one stop bit each; the device of
    // each COM number is looked up in the settings file whenever the port opens.
    // VSSCAN2COM: COM1, 9600 bit/s, RTS on, a chunk ends after a 40 ms gap.
    static std::unique_ptr<CommPortControl> can2com(const QString &iniFile);
    // VSSComm321: COM3, 4800 bit/s, a chunk ends after a 100 ms gap.
    static std::unique_ptr<CommPortControl> gps(const QString &iniFile);
    ~CommPortControl() override;

    void ClosePort() override;
    // Indices outside 0..8 leave the port as it was.
    void setPortIndex(int index) override;
    int portIndex() const override;
    bool OpenPort() override;
    bool isOpen() const override;
    void setOnReceiveData(ReceiveHandler handler) override;
    void setOnHangup(std::function<void()> handler) override;
    QString devicePath() const;
    // Opens this device from the next OpenPort on, whatever the COM number; empty: the
    // configured device again.
    void setDeviceOverride(const QString &device);

    TVSSComm32 &component() { return *m_port; }
    const TVSSComm32 &component() const { return *m_port; }

private:
    std::unique_ptr<TVSSComm32> m_port;
    std::function<QString(TCommPort)> m_configured; // the port's own device lookup
    bool m_overridden = false;
};
