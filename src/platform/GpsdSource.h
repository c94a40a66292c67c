#pragma once

#include "core/SerialPortControl.h"
#include "platform/GpsdStream.h"
#include "platform/HostLookup.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QSocketNotifier;
class TcpConnector;

// The GPS receiver through gpsd instead of a serial line: OpenPort connects to gpsd, asks
// for the receiver's NMEA and hands every sentence to the same reception as the serial
// port. gpsd going away counts as the line hanging up. The port index is kept for the
// settings but means nothing here.
// Neither the host's name nor the connection is waited for, so that a name server or a gpsd
// that never answers can't hold the screen: the source is open once the connection stands
// (the opened handler says so), and a name not found or a connection that fails later hangs
// up. One still under way goes with ClosePort.
class GpsdSource : public QObject, public SerialPortControl {
public:
    static constexpr quint16 DefaultPort = 2947;
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

    explicit GpsdSource(Address address, HostLookup::Resolver resolver = {},
                        QObject *parent = nullptr);
    ~GpsdSource() override;

    Address address() const { return m_address; }

    void ClosePort() override;
    void setPortIndex(int index) override { m_portIndex = index; }
    int portIndex() const override { return m_portIndex; }
    // Starts looking the host up and connecting, and asks for NMEA once connected; throws
    // (std::runtime_error) when every address of a numeric host refuses at once (gpsd on
    // this machine not running).
    bool OpenPort() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool connecting() const;
    void setOnReceiveData(ReceiveHandler handler) override { m_receive = std::move(handler); }
    void setOnHangup(std::function<void()> handler) override { m_hangup = std::move(handler); }
    void setOnOpened(std::function<void()> handler) override { m_opened = std::move(handler); }

private:
    void connectTo(const HostLookup::Result &found);
    void lookedUp(const HostLookup::Result &found);
    void decided();
    int watch();
    void readAvailable();
    void hangUp();
    void dropConnector();
    static void drop(QPointer<QSocketNotifier> &notifier);

    Address m_address;
    int m_portIndex = 0;
    int m_fd = -1;
    HostLookup m_lookup;
    QPointer<TcpConnector> m_connector;   // a child: it may go while it signals
    QPointer<QSocketNotifier> m_readable; // likewise
    GpsdStream m_stream;
    ReceiveHandler m_receive;
    std::function<void()> m_hangup;
    std::function<void()> m_opened;
};
