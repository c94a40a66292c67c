#include "support/KeyInput.h"

#include <QCoreApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

void KeyInput::press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    window->winId(); // make sure the native window exists
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void KeyInput::press(QWidget *window, char letter)
{
    press(window, Qt::Key(Qt::Key_A + (letter - 'A')));
}

void KeyInput::wheel(QWidget *window, bool down)
{
    window->winId();
    QWindow *w = window->windowHandle();
    const QPointF local(400, 300);
    QWheelEvent event(local, w->mapToGlobal(local), QPoint(), QPoint(0, down ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}
