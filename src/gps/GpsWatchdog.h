#pragma once

#include <QColor>
#include <QObject>
#include <QTimer>

#include <functional>

class QLabel;

// Watches the GPS line: the "GPS" label of the status line takes the scheme's text colour
// while data arrives and turns red once GPSTimeout passes without any.
class GpsWatchdog : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 15000;

    // The timer runs from construction.
    GpsWatchdog(QLabel &GPSLabel, std::function<QColor()> schemeText, QObject *parent = nullptr);

    // A chunk arrived: restart the timer, scheme colour.
    void dataArrived();
    void GPSTimeoutTimer();
    // The colour scheme changed (day, night, main colour): a live "GPS" takes the new colour.
    void schemeChanged();

    const QTimer &GPSTimeout() const { return m_timer; }

private:
    void setColour(const QColor &colour);

    QLabel &m_label;
    std::function<QColor()> m_schemeText;
    QTimer m_timer;
    bool m_live = false; // data came within the interval: the label is in the scheme colour
};
