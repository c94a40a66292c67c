#include "can/WheelGlyph.h"

#include "widgets/SkinFont.h"

#include <QPainter>
#include <QPolygonF>

WheelGlyph::WheelGlyph(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setFont(SkinFont::pixels(SkinFont::Sans, 40, true));
}

void WheelGlyph::setText(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

QString WheelGlyph::shown(const QString &caption)
{
    if (caption == Up)
        return QStringLiteral("\u2191");
    if (caption == Down)
        return QStringLiteral("\u2193");
    if (caption == Press)
        return QStringLiteral("\u263A");
    if (caption == LongPress)
        return QStringLiteral("\u231B");
    return caption;
}

namespace {

const QColor Lime(0x00, 0xFF, 0x00);

// The fonts of the machine have no hourglass: two triangles between two bars, as tall as
// the 40-pixel text.
void drawHourglass(QPainter &p, const QRectF &area)
{
    const qreal h = qMin(area.height(), 40.0);
    const qreal w = h * 0.6;
    const QRectF box(area.center().x() - w / 2, area.center().y() - h / 2, w, h);
    const qreal bar = h * 0.1;
    p.setPen(Qt::NoPen);
    p.setBrush(Lime);
    p.drawRect(QRectF(box.left(), box.top(), w, bar));
    p.drawRect(QRectF(box.left(), box.bottom() - bar, w, bar));
    const QPointF waist = box.center();
    const qreal inset = w * 0.1;
    p.drawPolygon(QPolygonF{QPointF(box.left() + inset, box.top() + bar),
                            QPointF(box.right() - inset, box.top() + bar), waist});
    p.drawPolygon(QPolygonF{QPointF(box.left() + inset, box.bottom() - bar),
                            QPointF(box.right() - inset, box.bottom() - bar), waist});
}

} // namespace

void WheelGlyph::paintEvent(QPaintEvent *)
{
    if (m_caption.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_caption == LongPress) {
        drawHourglass(p, rect());
        return;
    }
    p.setPen(Lime);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, shown(m_caption));
}
