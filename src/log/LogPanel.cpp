#include "log/LogPanel.h"

#include <QMouseEvent>

LogPanel::LogPanel(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void LogPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

void LogPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit doubleClicked();
}
