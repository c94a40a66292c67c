#pragma once

#include <QWidget>

// The drivers-log panel (DriversLogPanel): holds the menu and the list, and answers a
// click and a double click on its free area. A double click first delivers the click of
// its first press, as a double click does everywhere on the screen.
class LogPanel : public QWidget {
    Q_OBJECT
public:
    explicit LogPanel(QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
