#include "widgets/ColourSwatch.h"

#include "core/ColourValue.h"

#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(quint32 bgr, QWidget *parent) : QWidget(parent), m_bgr(bgr)
{
    setFocusPolicy(Qt::NoFocus);
}

void ColourSwatch::setColour(quint32 bgr)
{
    if (bgr == m_bgr)
        return;
    m_bgr = bgr;
    update();
    emit colourChanged(bgr);
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), ColourValue::toQColor(m_bgr));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
