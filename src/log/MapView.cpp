#include "log/MapView.h"

#include "log/MapData.h"
#include "log/MapPainter.h"

#include <QEvent>
#include <QPainter>

MapView::MapView(QWidget *parent)
    : QWidget(parent), m_viewport(0.0, 0.0, 1.0, parent ? parent->size() : QSize())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent) {
        fitContainer();
        parent->installEventFilter(this);
    }
}

void MapView::setData(std::shared_ptr<const MapData> data)
{
    m_data = std::move(data);
    update();
}

void MapView::setMapPalette(const MapPalette &palette)
{
    m_palette = palette;
    update();
}

void MapView::viewportChanged() { update(); }

bool MapView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitContainer();
    return QWidget::eventFilter(watched, event);
}

void MapView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_data) {
        painter.fillRect(rect(), m_palette.land);
        return;
    }
    MapPainter(*m_data, m_viewport, m_sprites, m_palette).paint(painter);
}

void MapView::resizeEvent(QResizeEvent *) { m_viewport.setSize(size()); }

void MapView::fitContainer()
{
    setGeometry(parentWidget()->rect());
    m_viewport.setSize(parentWidget()->size());
}
