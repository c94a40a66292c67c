#pragma once

#include <QWidget>

class LevelBar;
class QLabel;

// The top bar: the screen title on the left, the "CPU" label and load meter on the right.
class TopBar : public QWidget {
    Q_OBJECT
public:
    explicit TopBar(QWidget *parent = nullptr);

    QLabel *TopMidLabel = nullptr;
    QLabel *CpuLabel = nullptr;
    LevelBar *CpuMeter = nullptr;
};
