#include "platform/KnobDevice.h"

#include "platform/KnobDecoder.h"
#include "platform/KnobDiscovery.h"

#include <QFile>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a device gives input records: a file named by mistake would read as a knob
// unplugged at once, again and again.
int openDevice(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))) {
        ::close(fd);
        errno = ENODEV;
        return -1;
    }
    return fd;
}

} // namespace

KnobDevice::Places KnobDevice::systemPlaces()
{
    return {KnobDiscovery::SysClassInput, KnobDiscovery::DevInput, openDevice};
}

QString KnobDevice::permissionText(const QString &path)
{
    return QStringLiteral("Knob %1 may not be opened: copy 60-rovana-knob.rules from Rovana's "
                          "directory to /etc/udev/rules.d/ or add the user to the group \"input\"")
        .arg(path);
}

QString KnobDevice::foundText(const QString &path)
{
    return QStringLiteral("Knob on %1").arg(path);
}

QString KnobDevice::goneText(const QString &path)
{
    return QStringLiteral("Knob %1 is gone, looking for it every 2 s").arg(path);
}

KnobDevice::KnobDevice(Settings settings, Wiring wiring, Places places, QObject *parent)
    : QObject(parent), m_settings(std::move(settings)), m_wiring(std::move(wiring)),
      m_places(std::move(places)), m_decoder(std::make_unique<KnobDecoder>(
                                       m_settings.longPressMs, m_wiring.timers, m_wiring.keys)),
      m_search(m_wiring.timers())
{
    m_search->setHandler([this] {
        if (tryOpen())
            m_search->stop();
    });
}

KnobDevice::~KnobDevice() { close(); }

void KnobDevice::start()
{
    if (!isOpen() && !tryOpen())
        m_search->start(SearchMs);
}

QString KnobDevice::wantedPath() const
{
    if (!m_settings.device.isEmpty())
        return m_settings.device;
    return KnobDiscovery::find(m_places.sysClassInput, m_places.devInput);
}

bool KnobDevice::tryOpen()
{
    const QString path = wantedPath();
    if (path.isEmpty())
        return false;
    const QByteArray file = QFile::encodeName(path);
    constexpr int common = O_NONBLOCK | O_CLOEXEC;
    // Writing is only for the LED: a device that may only be read still gives keys.
    int fd = m_places.open(file, O_RDWR | common);
    if (fd < 0 && (errno == EACCES || errno == EPERM))
        fd = m_places.open(file, O_RDONLY | common);
    if (fd < 0) {
        if ((errno == EACCES || errno == EPERM) && !m_permissionReported) {
            m_permissionReported = true;
            m_wiring.systemMessage(permissionText(path));
        }
        return false;
    }
    m_fd = fd;
    m_path = path;
    // The knob's records are ours alone: a desktop reading the same device would act on
    // them too. Not every device can be grabbed; it works without.
    ::ioctl(m_fd, EVIOCGRAB, 1);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readAvailable(); });
    m_wiring.systemMessage(foundText(path));
    writeLed();
    return true;
}

void KnobDevice::readAvailable()
{
    if (!isOpen())
        return;
    std::array<char, 64 * sizeof(input_event)> buffer{};
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
        if (got > 0) {
            m_decoder->feedBytes(buffer.data(), got);
            if (!isOpen()) // a key closed us (the program is ending)
                return;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return;
        // End of file, ENODEV after an unplug, or any other failure.
        lost();
        return;
    }
}

void KnobDevice::lost()
{
    const QString path = m_path;
    close();
    m_decoder->reset();
    m_wiring.systemMessage(goneText(path));
    m_search->start(SearchMs);
}

void KnobDevice::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void KnobDevice::setAlert(bool on)
{
    if (on == m_alert)
        return;
    m_alert = on;
    writeLed();
}

void KnobDevice::writeLed()
{
    if (!isOpen())
        return;
    input_event led{};
    led.type = EV_MSC;
    led.code = MSC_PULSELED;
    led.value = m_alert ? PulsingLed : SteadyLed;
    // A device without the LED ignores it; one opened for reading only refuses it.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &led, sizeof led);
}
