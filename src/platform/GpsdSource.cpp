#include "platform/GpsdSource.h"

#include "platform/TcpConnector.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::runtime_error failure(const GpsdSource::Address &address, const char *what)
{
    return std::runtime_error(QStringLiteral("gpsd at %1: %2")
                                  .arg(address.text(), QString::fromLocal8Bit(what))
                                  .toStdString());
}

} // namespace

std::optional<GpsdSource::Address> GpsdSource::parse(const QString &setting)
{
    const QString text = setting.trimmed();
    if (text.compare(QStringLiteral("gpsd"), Qt::CaseInsensitive) == 0)
        return Address{};
    if (!text.startsWith(QStringLiteral("gpsd:"), Qt::CaseInsensitive))
        return std::nullopt;
    QString rest = text.mid(5);
    Address address;
    QString port;
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        address.host = rest.mid(1, close - 1);
        rest = rest.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return std::nullopt;
        port = rest.mid(1);
    } else {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        address.host = colon < 0 ? rest : rest.left(colon);
        port = colon < 0 ? QString() : rest.mid(colon + 1);
    }
    if (address.host.isEmpty())
        address.host = QStringLiteral("localhost");
    if (!port.isEmpty()) {
        bool ok = false;
        const uint number = port.toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return std::nullopt;
        address.port = quint16(number);
    }
    return address;
}

GpsdSource::GpsdSource(Address address, HostLookup::Resolver resolver, QObject *parent)
    : QObject(parent), m_address(std::move(address)), m_lookup(std::move(resolver))
{
}

GpsdSource::~GpsdSource() { ClosePort(); }

void GpsdSource::drop(QPointer<QSocketNotifier> &notifier)
{
    if (notifier) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
}

bool GpsdSource::connecting() const { return !m_connector.isNull() || m_lookup.waiting(); }

void GpsdSource::dropConnector()
{
    if (m_connector) {
        m_connector->abandon();
        m_connector->deleteLater();
        m_connector = nullptr;
    }
}

void GpsdSource::ClosePort()
{
    m_lookup.forget();
    dropConnector();
    drop(m_readable);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_stream = GpsdStream();
}

bool GpsdSource::OpenPort()
{
    if (isOpen() || connecting())
        throw failure(m_address, "already connected");
    const std::optional<HostLookup::Result> found =
        m_lookup.start(m_address.host.toUtf8(), QByteArray::number(m_address.port),
                       [this](const HostLookup::Result &answer) { lookedUp(answer); });
    if (found)
        connectTo(*found);
    return true;
}

void GpsdSource::lookedUp(const HostLookup::Result &found)
{
    try {
        connectTo(found);
    } catch (const std::runtime_error &) {
        hangUp();
        return;
    }
    if (isOpen() && m_opened)
        m_opened();
}

// Calls every address found; throws when none is or every one refuses at once.
void GpsdSource::connectTo(const HostLookup::Result &found)
{
    if (found.error != 0)
        throw failure(m_address, ::gai_strerror(found.error));
    // "localhost" is often ::1 and 127.0.0.1: gpsd may listen on either.
    m_connector = new TcpConnector([this] { decided(); }, this);
    m_connector->start(found.addresses.get());
    const TcpConnector::State state = m_connector->state();
    if (state == TcpConnector::State::Connecting)
        return;
    const int error = state == TcpConnector::State::Connected ? watch() : m_connector->error();
    if (error == 0)
        return;
    ClosePort();
    throw failure(m_address, std::strerror(error));
}

void GpsdSource::decided()
{
    if (m_connector->state() == TcpConnector::State::Connected && watch() == 0) {
        if (m_opened)
            m_opened();
        return;
    }
    hangUp();
}

// Takes the connection and asks for NMEA; the errno when that fails.
int GpsdSource::watch()
{
    const int fd = m_connector->take();
    dropConnector();
    const ssize_t sent = ::send(fd, Watch.constData(), size_t(Watch.size()), MSG_NOSIGNAL);
    if (sent != Watch.size()) {
        const int error = sent < 0 ? errno : EIO;
        ::close(fd);
        return error;
    }
    m_fd = fd;
    m_readable = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_readable, &QSocketNotifier::activated, this, [this] { readAvailable(); });
    return 0;
}

void GpsdSource::readAvailable()
{
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer.data(), buffer.size(), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got <= 0) {
            hangUp();
            return;
        }
        for (const QByteArray &chunk : m_stream.take(buffer.data(), got)) {
            if (m_receive)
                m_receive(chunk.constData(), quint16(chunk.size()));
            if (!isOpen()) // the handler closed the source
                return;
        }
    }
}

void GpsdSource::hangUp()
{
    ClosePort();
    if (m_hangup)
        m_hangup();
}
