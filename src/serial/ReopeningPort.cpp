#include "serial/ReopeningPort.h"

ReopeningPort::ReopeningPort(std::unique_ptr<SerialPortControl> port, Wiring wiring)
    : m_port(std::move(port)), m_wiring(std::move(wiring)), m_search(m_wiring.timers())
{
    m_search->setHandler([this] { tryOpen(); });
    m_port->setOnHangup([this] { hungUp(); });
    m_port->setOnOpened([this] { opened(); });
}

ReopeningPort::~ReopeningPort()
{
    m_port->setOnHangup({});
    m_port->setOnOpened({});
}

QString ReopeningPort::goneText(const QString &name, const QString &device)
{
    return QStringLiteral("%1 port %2 is missing, looking for it every 2 s").arg(name, device);
}

QString ReopeningPort::backText(const QString &name, const QString &device)
{
    return QStringLiteral("%1 port %2 is back").arg(name, device);
}

void ReopeningPort::ClosePort()
{
    m_wanted = false;
    m_search->stop();
    m_port->ClosePort();
    useDevice({});
}

void ReopeningPort::setPortIndex(int index) { m_port->setPortIndex(index); }

int ReopeningPort::portIndex() const { return m_port->portIndex(); }

bool ReopeningPort::OpenPort()
{
    m_wanted = true;
    useDevice({}); // the owner's choice
    try {
        const bool opened = m_port->OpenPort();
        if (!opened)
            lost();
        else if (m_port->isOpen())
            found();
        else
            m_search->start(SearchMs); // under way: it has until the next look
        return opened;
    } catch (...) {
        lost();
        throw;
    }
}

bool ReopeningPort::isOpen() const { return m_port->isOpen(); }

void ReopeningPort::setOnReceiveData(ReceiveHandler handler)
{
    m_port->setOnReceiveData(std::move(handler));
}

void ReopeningPort::setOnHangup(std::function<void()> handler) { m_onHangup = std::move(handler); }

void ReopeningPort::setOnMessage(std::function<void(const QString &)> handler)
{
    m_message = std::move(handler);
}

void ReopeningPort::searchNow()
{
    if (searching())
        tryOpen();
}

bool ReopeningPort::searching() const { return m_search->isActive(); }

void ReopeningPort::hungUp()
{
    if (m_wanted) {
        m_port->ClosePort();
        lost();
    }
    if (m_onHangup)
        m_onHangup();
}

void ReopeningPort::opened()
{
    if (m_wanted)
        found();
}

void ReopeningPort::lost()
{
    if (!m_lostReported) {
        m_lostReported = true;
        if (m_message)
            m_message(goneText(m_wiring.name, m_wiring.deviceName()));
    }
    if (!m_search->isActive())
        m_search->start(SearchMs);
}

void ReopeningPort::found()
{
    m_search->stop();
    if (const QString name = SerialByIdName::of(m_wiring.deviceName(), m_wiring.byIdDir);
        !name.isEmpty())
        m_byIdName = name;
    if (m_lostReported && m_message)
        m_message(backText(m_wiring.name, m_wiring.deviceName()));
    m_lostReported = false;
}

bool ReopeningPort::tryOpen()
{
    if (!m_wanted) {
        m_search->stop();
        return false;
    }
    lost(); // not there at this look, nor a connection that was under way since the last
    if (openAs({}) || (!m_byIdName.isEmpty() && m_wiring.useDevice && openAs(m_byIdName))) {
        if (m_port->isOpen()) // else it comes through opened() or hangs up
            found();
        return true;
    }
    useDevice({});
    return false;
}

bool ReopeningPort::openAs(const QString &device)
{
    useDevice(device);
    try {
        // A half-open line (the open failed after the device) is closed first.
        m_port->ClosePort();
        return m_port->OpenPort();
    } catch (...) {
        return false;
    }
}

void ReopeningPort::useDevice(const QString &device)
{
    if (m_wiring.useDevice)
        m_wiring.useDevice(device);
}
