#include "widgets/StatusSymbol.h"

#include <QPainter>
#include <QPolygonF>

StatusSymbol::StatusSymbol(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void StatusSymbol::setText(const QString &symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void StatusSymbol::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void StatusSymbol::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_colour);
    const int side = qMin(width(), height()) - 4;
    const QRectF box((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (m_symbol == Play) {
        p.drawPolygon(
            QPolygonF{box.topLeft(), QPointF(box.right(), box.center().y()), box.bottomLeft()});
    } else if (m_symbol == Pause) {
        const qreal bar = side * 0.34;
        p.drawRect(QRectF(box.left(), box.top(), bar, side));
        p.drawRect(QRectF(box.right() - bar, box.top(), bar, side));
    } else if (m_symbol == Stop) {
        p.drawRect(box.adjusted(side * 0.08, side * 0.08, -side * 0.08, -side * 0.08));
    }
}
