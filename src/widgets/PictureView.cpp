#include "widgets/PictureView.h"

#include <QPainter>

PictureView::PictureView(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void PictureView::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    rescale();
    update();
}

void PictureView::resizeEvent(QResizeEvent *) { rescale(); }

void PictureView::rescale()
{
    m_scaled = m_pixmap.isNull()
                   ? QPixmap()
                   : m_pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_scaled.isNull())
        return;
    p.drawPixmap((width() - m_scaled.width()) / 2, (height() - m_scaled.height()) / 2, m_scaled);
}
