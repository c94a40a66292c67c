#include "serial/TVSSComm32.h"

#include "serial/CommLink.h"
#include "serial/CommNotification.h"
#include "serial/CommTrace.h"
#include "serial/ECommsError.h"
#include "serial/LineSettings.h"
#include "serial/TReadThread.h"
#include "serial/TWriteThread.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

// A descriptor that is closed unless it is handed on.
class OwnedFd {
public:
    explicit OwnedFd(int fd) : m_fd(fd) {}
    ~OwnedFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OwnedFd(const OwnedFd &) = delete;
    OwnedFd &operator=(const OwnedFd &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

bool isSerialLine(int fd)
{
    struct stat st {};
    termios settings{};
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && ::tcgetattr(fd, &settings) == 0;
}

bool started(const QThread &thread) { return thread.isRunning() || thread.isFinished(); }

} // namespace

TVSSComm32::TVSSComm32(QObject *parent) : QObject(parent) {}

TVSSComm32::~TVSSComm32() { ClosePort(); }

QString TVSSComm32::devicePath() const
{
    if (m_devicePaths)
        return m_devicePaths(m_CommPort);
    return QStringLiteral("/dev/ttyS%1").arg(int(m_CommPort));
}

bool TVSSComm32::OpenPort()
{
    if (m_link)
        throw ECommsError(ECommsError::AlreadyOpen);
    OwnedFd device(openDevice());
    if (!isSerialLine(device.get()))
        throw ECommsError(ECommsError::NotACommHandle);
    ::ioctl(device.get(), TIOCEXCL);
    m_isOpen = true;
    configureLine(device.get());

    OwnedFd closeEvent(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (closeEvent.get() < 0) {
        CommTrace::systemError(QStringLiteral("Unable to CreateEvent: "), errno);
        m_isOpen = false; // and the device is closed on the way out
        return false;
    }
    m_link = std::make_shared<CommLink>(device.get(), closeEvent.get(), this);
    device.release();
    closeEvent.release();

    m_reader = std::make_unique<TReadThread>(m_link, m_CarTimeout);
    m_reader->start(QThread::NormalPriority);
    if (!started(*m_reader)) {
        ClosePort();
        throw ECommsError(ECommsError::NoReadThread);
    }
    m_writer = std::make_unique<TWriteThread>(m_link);
    m_writer->start(QThread::HighPriority);
    if (!started(*m_writer)) {
        ClosePort();
        throw ECommsError(ECommsError::NoWriteThread);
    }
    return true;
}

int TVSSComm32::openDevice() const
{
    QByteArray path;
    try {
        path = QFile::encodeName(devicePath());
    } catch (const std::exception &) {
        throw ECommsError(ECommsError::OpenFailed);
    }
    // The device must exist already; no other opener may share it while we hold it. The
    // lock keeps out even privileged openers that the exclusive mode lets through.
    OwnedFd fd(::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        CommTrace::systemError(QStringLiteral("Error opening com port "), errno);
        throw ECommsError(ECommsError::OpenFailed);
    }
    return fd.release();
}

void TVSSComm32::configureLine(int device) const
{
    LineSettings settings;
    settings.speed = bitsPerSecond(m_BaudRate);
    settings.parity = m_Parity;
    settings.dataBits = m_DataBits;
    settings.stopBits = m_StopBits;
    if (const int error = settings.apply(device))
        CommTrace::systemError(QStringLiteral("Unable to SetCommState: "), error);
    if (m_RTS_on) {
        const int rts = TIOCM_RTS;
        if (::ioctl(device, TIOCMBIS, &rts) != 0)
            CommTrace::systemError(QStringLiteral("Unable to set RTS: "), errno);
    }
}

void TVSSComm32::ClosePort()
{
    if (!m_link)
        return;
    CommTrace::line(QStringLiteral("Stopping the Comm"));
    CommTrace::line(QStringLiteral("Closing Read Thread "));
    m_link->signalClose();
    m_link->discardInput();
    stopWorker(std::move(m_reader), QStringLiteral("Read thread not exiting.  Terminating it."));
    CommTrace::line(QStringLiteral("Closing Write Thread"));
    m_link->signalClose();
    m_link->discardOutput();
    stopWorker(std::move(m_writer), QStringLiteral("Write thread not exiting.  Terminating it."));
    // A worker that outlived its wait keeps the link, and with it the device, until it
    // ends; it can no longer reach this component.
    m_link->releaseTarget();
    m_link.reset();
    m_isOpen = false;
}

void TVSSComm32::stopWorker(std::unique_ptr<QThread> worker, const QString &stuckText)
{
    if (!worker || worker->wait(QDeadlineTimer(WorkerStopMs)))
        return;
    CommTrace::line(stuckText);
    worker->requestInterruption();
    // Destroying a running thread would end the program: let it delete itself when done.
    QThread *stuck = worker.release();
    QObject::connect(stuck, &QThread::finished, stuck, &QObject::deleteLater);
    if (stuck->isFinished())
        stuck->deleteLater();
}

bool TVSSComm32::WriteData(QByteArray bytes)
{
    return m_writer && m_writer->post(std::move(bytes));
}

void TVSSComm32::customEvent(QEvent *event)
{
    if (event->type() != CommNotification::eventType())
        return;
    const auto *notification = static_cast<const CommNotification *>(event);
    // The handlers may replace themselves or close the port while they run; the event,
    // and with it the buffer, is released by the event loop afterwards in every case.
    try {
        if (notification->kind() == CommNotification::Kind::Data) {
            if (const TReceiveDataEvent handler = m_OnReceiveData)
                handler(notification->buffer(), quint16(notification->count()));
        } else if (const TNotifyEvent handler = m_OnRequestHangup) {
            handler(this);
        }
    } catch (const std::exception &e) {
        CommTrace::line(QStringLiteral("Receive handler failed: ") + QString::fromUtf8(e.what()));
    }
}
