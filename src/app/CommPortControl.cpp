#include "app/CommPortControl.h"

#include "app/Configuration.h"
#include "core/IniFile.h"
#include "serial/TVSSComm32.h"

namespace {

std::unique_ptr<TVSSComm32> line(TCommPort port, TBaudRate rate, bool rts, qint32 carTimeout,
                                 const QString &iniFile)
{
    auto comm = std::make_unique<TVSSComm32>();
    comm->setCommPort(port);
    comm->setBaudRate(rate);
    comm->setParity(TParity::None);
    comm->setDataBits(TDataBits::_8);
    comm->setStopBits(TStopBits::_1);
    comm->setRTS_on(rts);
    comm->setCarTimeout(carTimeout);
    // LoadSettings has read the same file by the time a port first opens.
    comm->setDevicePaths([iniFile](TCommPort p) {
        return Configuration::devicePathIn(IniFile::load(iniFile), int(p));
    });
    return comm;
}

} // namespace

CommPortControl::CommPortControl(std::unique_ptr<TVSSComm32> port) : m_port(std::move(port)) {}

std::unique_ptr<CommPortControl> CommPortControl::can2com(const QString &iniFile)
{
    return std::make_unique<CommPortControl>(
        line(TCommPort::Com1, TBaudRate::___9600, true, 40, iniFile));
}

std::unique_ptr<CommPortControl> CommPortControl::gps(const QString &iniFile)
{
    return std::make_unique<CommPortControl>(
        line(TCommPort::Com3, TBaudRate::___4800, false, 100, iniFile));
}

CommPortControl::~CommPortControl() = default;

void CommPortControl::ClosePort() { m_port->ClosePort(); }

void CommPortControl::setPortIndex(int index)
{
    if (index >= 0 && index < CommPortCount)
        m_port->setCommPort(TCommPort(index));
}

int CommPortControl::portIndex() const { return int(m_port->CommPort()); }

bool CommPortControl::OpenPort() { return m_port->OpenPort(); }

bool CommPortControl::isOpen() const { return m_port->isOpen(); }

void CommPortControl::setOnReceiveData(ReceiveHandler handler)
{
    m_port->setOnReceiveData(std::move(handler));
}

void CommPortControl::setOnHangup(std::function<void()> handler)
{
    if (!handler) {
        m_port->setOnRequestHangup({});
        return;
    }
    m_port->setOnRequestHangup([handler = std::move(handler)](TVSSComm32 *) { handler(); });
}

QString CommPortControl::devicePath() const { return m_port->devicePath(); }

void CommPortControl::setDeviceOverride(const QString &device)
{
    if (!m_overridden)
        m_configured = m_port->devicePaths();
    m_overridden = !device.isEmpty();
    if (m_overridden)
        m_port->setDevicePaths([device](TCommPort) { return device; });
    else
        m_port->setDevicePaths(m_configured);
}
