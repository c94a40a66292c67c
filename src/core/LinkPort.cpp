#include "core/LinkPort.h"

#include "core/Guarded.h"
#include "core/SerialPortControl.h"
#include "core/SettingsModel.h"

LinkPort::LinkPort(SettingsModel &settings, Link link, SerialPortControl &port,
                   SystemMessage systemMessage, QObject *parent)
    : QObject(parent), m_settings(settings), m_link(link), m_port(port),
      m_systemMessage(std::move(systemMessage))
{
    // A port that fails to open must not keep the other link's from opening.
    connect(&settings, &SettingsModel::loaded, this, [this] { Guarded::run([this] { open(); }); });
}

void LinkPort::open()
{
    const Settings &s = m_settings.values();
    const bool enabled = m_link == Link::Gps ? s.gpsEnabled : s.can2comEnabled;
    if (!enabled)
        return;
    const int index = m_link == Link::Gps ? s.gpsPort : s.can2comPort;
    m_port.ClosePort();
    if (index >= 0)
        m_port.setPortIndex(index);
    if (m_link == Link::Can2Com && m_systemMessage)
        m_systemMessage(QStringLiteral("Trying to start CAN2Com on COM %1").arg(index + 1));
    m_port.OpenPort();
}
