#include "app/PortRequestLog.h"

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
