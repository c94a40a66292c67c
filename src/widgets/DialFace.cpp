#include "widgets/DialFace.h"

#include <QPainter>
#include <QtMath>

DialFace::DialFace(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DialFace::setHeading(int degrees)
{
    m_heading = degrees;
    update();
}

void DialFace::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

QPointF DialFace::pointAt(const QPointF &centre, double radius, int degrees)
{
    const double a = qDegreesToRadians(double(degrees));
    return {centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a)};
}

void DialFace::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(3, 3, -3, -3);
    const QPointF c = r.center();
    const double radius = std::min(r.width(), r.height()) / 2;
    p.setPen(QPen(m_colour, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(m_colour.darker(200), 2));
    p.drawEllipse(c, radius * 0.62, radius * 0.62);
    // The needle: from the inner ring towards the chosen position.
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pointAt(c, radius * 0.3, m_heading), pointAt(c, radius * 0.72, m_heading));
    p.setPen(Qt::NoPen);
    p.setBrush(m_colour);
    p.drawEllipse(pointAt(c, radius * 0.72, m_heading), 6, 6);
}
