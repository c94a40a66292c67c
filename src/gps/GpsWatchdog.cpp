#include "gps/GpsWatchdog.h"

#include <QLabel>

GpsWatchdog::GpsWatchdog(QLabel &GPSLabel, std::function<QColor()> schemeText, QObject *parent)
    : QObject(parent), m_label(GPSLabel), m_schemeText(std::move(schemeText))
{
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &GpsWatchdog::GPSTimeoutTimer);
    m_timer.start();
}

void GpsWatchdog::dataArrived()
{
    m_timer.stop();
    m_timer.start(IntervalMs);
    m_live = true;
    setColour(m_schemeText());
}

void GpsWatchdog::GPSTimeoutTimer()
{
    m_live = false;
    setColour(Qt::red);
}

void GpsWatchdog::schemeChanged()
{
    if (m_live)
        setColour(m_schemeText());
}

void GpsWatchdog::setColour(const QColor &colour)
{
    QPalette p = m_label.palette();
    p.setColor(QPalette::WindowText, colour);
    m_label.setPalette(p);
}
