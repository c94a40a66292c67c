#include "support/PortRequestLog.h"

void PortRequestLog::ClosePort()
{
    m_requests << QStringLiteral("close");
    m_open = false;
}

void PortRequestLog::setPortIndex(int index)
{
    m_index = index;
    m_requests << QStringLiteral("port %1").arg(index);
}

bool PortRequestLog::OpenPort()
{
    m_requests << QStringLiteral("open COM%1").arg(m_index + 1);
    m_open = true;
    return true;
}

void PortRequestLog::deliver(const QByteArray &chunk) const
{
    if (!m_handler)
        return;
    const QByteArray copy = chunk; // QByteArray keeps a zero byte after its data
    m_handler(copy.constData(), quint16(copy.size()));
}
