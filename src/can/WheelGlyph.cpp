#include "can/WheelGlyph.h"

#include "widgets/SkinFont.h"

#include <QPainter>

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

void WheelGlyph::paintEvent(QPaintEvent *)
{
    if (m_caption.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(0x00, 0xFF, 0x00)); // lime
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, shown(m_caption));
}
