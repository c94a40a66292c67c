#pragma once

// What the settings loader and the link supervisor ask of a serial port: close it,
// choose the line (0 = COM1 ... 8 = COM9) and open it again.
class SerialPortControl {
public:
    virtual ~SerialPortControl() = default;
    virtual void ClosePort() = 0;
    virtual void setPortIndex(int index) = 0;
    virtual int portIndex() const = 0;
    // Throws on failure, like the component it stands for.
    virtual bool OpenPort() = 0;
    virtual bool isOpen() const = 0;
};
