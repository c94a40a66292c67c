#include "app/WindowInput.h"

#include "core/CommandKey.h"
#include "core/Dispatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

WindowInput::WindowInput(QWidget &window, Dispatcher &dispatcher)
    : m_window(window), m_dispatcher(dispatcher)
{
    QCoreApplication::instance()->installEventFilter(this);
}

WindowInput::~WindowInput() { QCoreApplication::instance()->removeEventFilter(this); }

bool WindowInput::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWindowType() || static_cast<QWindow *>(watched) != m_window.windowHandle())
        return false;
    if (event->type() == QEvent::KeyPress) {
        quint16 key = CommandKey::fromQtKey(static_cast<QKeyEvent *>(event)->key());
        if (key != 0)
            m_dispatcher.FormKeyDown(key);
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        m_wheelDelta += static_cast<QWheelEvent *>(event)->angleDelta().y();
        for (; m_wheelDelta <= -120; m_wheelDelta += 120)
            m_dispatcher.FormMouseWheelDown();
        for (; m_wheelDelta >= 120; m_wheelDelta -= 120)
            m_dispatcher.FormMouseWheelUp();
        return true;
    }
    return false;
}
