#include "widgets/CarMarker.h"

#include <QPainter>
#include <QPainterPath>

CarMarker::CarMarker(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CarMarker::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void CarMarker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = width();
    const qreal ring = w - 3;
    const QRectF circle(1.5, 1.5, ring, ring);
    // The pin's point is the car's place: the bottom middle.
    QPainterPath pin;
    pin.moveTo(w / 2, height() - 1);
    pin.lineTo(circle.left() + ring * 0.15, circle.center().y() + ring * 0.3);
    pin.lineTo(circle.right() - ring * 0.15, circle.center().y() + ring * 0.3);
    pin.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(m_colour);
    p.drawPath(pin);
    p.setPen(QPen(m_colour, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(circle.adjusted(1, 1, -1, -1));
}
