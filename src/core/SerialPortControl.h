#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// What the window asks of a serial port: close it, choose the line (0 = COM1 ... 8 =
// COM9), open it again, and hand every received chunk to one handler on the UI thread.
class SerialPortControl {
public:
    // Buffer holds BufferLength bytes followed by one zero byte.
    using ReceiveHandler = std::function<void(const char *Buffer, quint16 BufferLength)>;

    virtual ~SerialPortControl() = default;
    virtual void ClosePort() = 0;
    virtual void setPortIndex(int index) = 0;
    virtual int portIndex() const = 0;
    // Throws (a std::exception with the component's message) on failure. A port that opens
    // in the background (a network connection) returns true with isOpen() still false.
    virtual bool OpenPort() = 0;
    virtual bool isOpen() const = 0;
    virtual void setOnReceiveData(ReceiveHandler handler) = 0;
    // Called on the UI thread when the line hangs up (its device vanished or failed); a
    // port that can't tell never calls it.
    virtual void setOnHangup(std::function<void()> handler) { (void)handler; }
    // Called on the UI thread when a port opening in the background stands; one that fails
    // to come hangs up instead. A port that opens at once never calls it.
    virtual void setOnOpened(std::function<void()> handler) { (void)handler; }
    // Lines for the system messages (a port lost and found again); a port with nothing to
    // tell never calls it.
    virtual void setOnMessage(std::function<void(const QString &line)> handler) { (void)handler; }
};
