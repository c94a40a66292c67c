#include "log/MapView.h"

#include "log/MapData.h"
#include "log/MapPainter.h"
#include "log/WholeMapSource.h"

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

namespace {

// The source is asked for a little more than the view: the painter's own margin for the
// edges of wide roads fits within it.
constexpr double SourceMarginPixels = 32.0;

} // namespace

void MapView::setSource(std::shared_ptr<MapSource> source)
{
    m_source = std::move(source);
    m_data = m_source ? m_source->drawing(m_viewport.visibleBox(SourceMarginPixels),
                                          m_viewport.metresPerPixel())
                      : nullptr;
    update();
}

void MapView::setData(std::shared_ptr<const MapData> data)
{
    m_data = data;
    m_source = data ? std::make_shared<WholeMapSource>(std::move(data)) : nullptr;
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
    if (m_source)
        m_data = m_source->drawing(m_viewport.visibleBox(SourceMarginPixels),
                                   m_viewport.metresPerPixel());
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
