#pragma once

#include <QObject>

class Dispatcher;
class QWidget;

// Keys and wheel notches of the window reach the dispatcher before the focused control.
// They are taken where they enter the window (its QWindow, watched on the application),
// so each event is dispatched exactly once. Keys go on to the control; notches stop here.
class WindowInput : public QObject {
    Q_OBJECT
public:
    WindowInput(QWidget &window, Dispatcher &dispatcher);
    ~WindowInput() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    Dispatcher &m_dispatcher;
    int m_wheelDelta = 0;
};
