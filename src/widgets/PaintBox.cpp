#include "widgets/PaintBox.h"

#include <QPainter>

PaintBox::PaintBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Opaque: every paint covers the whole area, so nothing below is drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PaintBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!m_image.isNull())
        p.drawImage(0, 0, m_image);
}
