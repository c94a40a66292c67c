#pragma once

#include "serial/CommTypes.h"
#include "serial/ECommsError.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CommLink;
class QThread;
class TReadThread;
class TWriteThread;

// One serial line: OpenPort opens and configures the device and starts a reader and a
// writer thread; every chunk the reader completes reaches OnReceiveData on the thread
// that owns the component (the UI thread), through its event queue. Setting a property
// never touches the line: the settings are taken at the next OpenPort.
class TVSSComm32 : public QObject {
public:
    // Buffer holds BufferLength bytes and one zero byte after them.
    using TReceiveDataEvent = std::function<void(const char *Buffer, quint16 BufferLength)>;
    using TNotifyEvent = std::function<void(TVSSComm32 *Sender)>;
    // The device file of a port ("COM1".."COM9" on the machine).
    using DevicePathFunction = std::function<QString(TCommPort)>;

    // How long ClosePort waits for each worker to end.
    static constexpr int WorkerStopMs = 10000;

    explicit TVSSComm32(QObject *parent = nullptr);
    // Closes the line: the workers never outlive the component.
    ~TVSSComm32() override;

    TCommPort CommPort() const { return m_CommPort; }
    void setCommPort(TCommPort port) { m_CommPort = port; }
    TBaudRate BaudRate() const { return m_BaudRate; }
    void setBaudRate(TBaudRate rate) { m_BaudRate = rate; }
    // True from a successful device open until ClosePort, also after the line hung up.
    bool isOpen() const { return m_isOpen; }
    void setIsOpen(bool open) { m_isOpen = open; }
    // RTS is held on while open; when false the device's RTS is left as it was.
    bool RTS_on() const { return m_RTS_on; }
    void setRTS_on(bool on) { m_RTS_on = on; }
    // The gap in ms that completes a read; 0 (or less): only 2048 bytes complete one.
    qint32 CarTimeout() const { return m_CarTimeout; }
    void setCarTimeout(qint32 ms) { m_CarTimeout = ms; }
    TParity Parity() const { return m_Parity; }
    void setParity(TParity parity) { m_Parity = parity; }
    TDataBits DataBits() const { return m_DataBits; }
    void setDataBits(TDataBits bits) { m_DataBits = bits; }
    TStopBits StopBits() const { return m_StopBits; }
    void setStopBits(TStopBits bits) { m_StopBits = bits; }

    void setOnReceiveData(TReceiveDataEvent handler) { m_OnReceiveData = std::move(handler); }
    // Called when a worker gives up on the line (the device vanished or failed).
    void setOnRequestHangup(TNotifyEvent handler) { m_OnRequestHangup = std::move(handler); }

    // Default: /dev/ttyS0 .. /dev/ttyS8. Asked at every OpenPort.
    void setDevicePaths(DevicePathFunction paths) { m_devicePaths = std::move(paths); }
    const DevicePathFunction &devicePaths() const { return m_devicePaths; }
    QString devicePath() const;

    // True on success; false when the close event can't be made (the device is closed
    // again). Throws ECommsError otherwise, leaving the component closed, or untouched
    // when it was open already.
    bool OpenPort();
    // Stops both workers (waiting up to WorkerStopMs for each) and closes the line; does
    // nothing when no device is open.
    void ClosePort();

    // Queues bytes for the writer thread; false when no writer is running.
    bool WriteData(QByteArray bytes);

protected:
    void customEvent(QEvent *event) override;

private:
    int openDevice() const;
    void configureLine(int device) const;
    static void stopWorker(std::unique_ptr<QThread> worker, const QString &stuckText);

    TCommPort m_CommPort = TCommPort::Com1;
    TBaudRate m_BaudRate = TBaudRate::____110;
    bool m_isOpen = false;
    bool m_RTS_on = false;
    qint32 m_CarTimeout = 0;
    TParity m_Parity = TParity::None;
    TDataBits m_DataBits = TDataBits::_4;
    TStopBits m_StopBits = TStopBits::_1;
    TReceiveDataEvent m_OnReceiveData;
    TNotifyEvent m_OnRequestHangup;
    DevicePathFunction m_devicePaths;

    std::shared_ptr<CommLink> m_link;
    std::unique_ptr<TReadThread> m_reader;
    std::unique_ptr<TWriteThread> m_writer;
};
