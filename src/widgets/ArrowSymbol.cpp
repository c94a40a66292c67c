#include "widgets/ArrowSymbol.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

ArrowSymbol::ArrowSymbol(Direction direction, QWidget *parent)
    : QWidget(parent), m_direction(direction)
{
    setFocusPolicy(Qt::NoFocus);
}

QString ArrowSymbol::text() const
{
    switch (m_direction) {
    case Direction::Up:
        return QStringLiteral("5");
    case Direction::Down:
        return QStringLiteral("6");
    case Direction::Left:
        return QStringLiteral("3");
    case Direction::Right:
        return QStringLiteral("4");
    }
    return QString();
}

void ArrowSymbol::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void ArrowSymbol::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A dark rim keeps the arrow visible over a light map.
    p.setPen(QPen(QColor(0, 0, 0, 200), 2));
    p.setBrush(m_colour);
    const qreal side = qMin(width(), height()) - 4;
    const QRectF b((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const QPointF c = b.center();
    switch (m_direction) {
    case Direction::Up:
        p.drawPolygon(QPolygonF{b.bottomLeft(), QPointF(c.x(), b.top()), b.bottomRight()});
        break;
    case Direction::Down:
        p.drawPolygon(QPolygonF{b.topLeft(), b.topRight(), QPointF(c.x(), b.bottom())});
        break;
    case Direction::Left:
        p.drawPolygon(QPolygonF{b.topRight(), b.bottomRight(), QPointF(b.left(), c.y())});
        break;
    case Direction::Right:
        p.drawPolygon(QPolygonF{b.topLeft(), QPointF(b.right(), c.y()), b.bottomLeft()});
        break;
    }
}

void ArrowSymbol::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mousePressEvent(event);
}
