#pragma once

#include <QWidget>

class QLabel;

// The status line at the bottom of every screen: clock, "POI" and drivers-log
// indicators, date, and the "GPS" and "CAN" link indicators. The clock and date are
// StatusClock's; the indicators' visibility and colours belong to their subsystems.
class StatusLine : public QWidget {
    Q_OBJECT
public:
    explicit StatusLine(QWidget *parent = nullptr);

    QLabel *Clock = nullptr;
    QLabel *sensorlabel = nullptr;  // "POI": the speed-camera warning is on
    QLabel *LogIndicator = nullptr; // drivers-log mode is business
    QLabel *DateLabel = nullptr;
    QLabel *GPSLabel = nullptr;
    QLabel *CANLabel = nullptr;
    QLabel *NightIndicator = nullptr; // the night colours are on
};
