#include "platform/GpsdSource.h"

#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A descriptor that is closed unless it is handed on.
class Socket {
public:
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

std::runtime_error failure(const GpsdSource::Address &address, const char *what)
{
    return std::runtime_error(QStringLiteral("gpsd at %1: %2")
                                  .arg(address.text(), QString::fromLocal8Bit(what))
                                  .toStdString());
}

// False with errno set when the connection is refused or not made within ms.
bool connectWithin(int fd, const addrinfo &address, int ms)
{
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0)
        return true;
    if (errno != EINPROGRESS)
        return false;
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, ms);
    if (ready <= 0) {
        errno = ready == 0 ? ETIMEDOUT : errno;
        return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return false;
    errno = error;
    return error == 0;
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

GpsdSource::GpsdSource(Address address, QObject *parent)
    : QObject(parent), m_address(std::move(address))
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

void GpsdSource::ClosePort()
{
    drop(m_readable);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_stream = GpsdStream();
}

bool GpsdSource::OpenPort()
{
    if (isOpen())
        throw failure(m_address, "already connected");
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const QByteArray host = m_address.host.toUtf8();
    const QByteArray service = QByteArray::number(m_address.port);
    if (const int error = ::getaddrinfo(host.constData(), service.constData(), &hints, &found))
        throw failure(m_address, ::gai_strerror(error));
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, ::freeaddrinfo);
    // "localhost" is often ::1 and 127.0.0.1: gpsd may listen on either.
    int lastError = ECONNREFUSED;
    for (const addrinfo *a = found; a; a = a->ai_next) {
        Socket socket(
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
        if (socket.get() < 0 || !connectWithin(socket.get(), *a, ConnectMs)) {
            lastError = errno;
            continue;
        }
        if (::send(socket.get(), Watch.constData(), size_t(Watch.size()), MSG_NOSIGNAL) !=
            Watch.size()) {
            lastError = errno;
            continue;
        }
        m_fd = socket.release();
        m_readable = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_readable, &QSocketNotifier::activated, this, [this] { readAvailable(); });
        return true;
    }
    throw failure(m_address, std::strerror(lastError));
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
