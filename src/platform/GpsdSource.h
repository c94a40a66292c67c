#pragma once

#include "core/SerialPortControl.h"
#include "platform/GpsdStream.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QSocketNotifier;

// The GPS receiver through gpsd instead of a serial line: OpenPort connects to gpsd, asks
// for the receiver's NMEA and hands every sentence to the same reception as the serial
// port. gpsd going away counts as the line hanging up. The port index is kept for the
// settings but means nothing here.
class GpsdSource : public QObject, public SerialPortControl {
public:
    static constexpr quint16 DefaultPort = 2947;
    static constexpr int ConnectMs = 500;
    static inline const QByteArray Watch =
        QByteArrayLiteral("?WATCH={\"enable\":true,\"nmea\":true}\n");

    struct Address {
        QString host = QStringLiteral("localhost");
        quint16 port = DefaultPort;
        QString text() const { return QStringLiteral("%1:%2").arg(host).arg(port); }
    };
    // "gpsd", "gpsd:HOST" or "gpsd:HOST:PORT" (a numeric IPv6 host in brackets); nothing
    // for any other setting (a serial device).
    static std::optional<Address> parse(const QString &setting);

    explicit GpsdSource(Address address, QObject *parent = nullptr);
    ~GpsdSource() override;

    Address address() const { return m_address; }

    void ClosePort() override;
    void setPortIndex(int index) override { m_portIndex = index; }
    int portIndex() const override { return m_portIndex; }
    // Connects and asks for NMEA; throws (std::runtime_error) when gpsd can't be reached
    // within ConnectMs (at once on this machine or its network).
    bool OpenPort() override;
    bool isOpen() const override { return m_fd >= 0; }
    void setOnReceiveData(ReceiveHandler handler) override { m_receive = std::move(handler); }
    void setOnHangup(std::function<void()> handler) override { m_hangup = std::move(handler); }

private:
    void readAvailable();
    void hangUp();
    static void drop(QPointer<QSocketNotifier> &notifier);

    Address m_address;
    int m_portIndex = 0;
    int m_fd = -1;
    QPointer<QSocketNotifier> m_readable; // a child: it may go while it signals
    GpsdStream m_stream;
    ReceiveHandler m_receive;
    std::function<void()> m_hangup;
};
