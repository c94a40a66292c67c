#include "widgets/FittingPanel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int SmallestPixels = 6;
// Room left at each side: glyphs may reach a little past their advance.
constexpr int Margin = 2;
} // namespace

QFont FittingPanel::fittedFont(const QFont &font, const QString &text, int width)
{
    QFont f = font;
    int pixels = f.pixelSize() > 0 ? f.pixelSize() : QFontMetrics(f).height();
    f.setPixelSize(pixels);
    while (pixels > SmallestPixels && QFontMetrics(f).horizontalAdvance(text) > width) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

void FittingPanel::paintEvent(QPaintEvent *event)
{
    const QRect area = contentsRect().adjusted(Margin, 0, -Margin, 0);
    if (QFontMetrics(font()).horizontalAdvance(text()) <= area.width()) {
        PanelButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setFont(fittedFont(font(), text(), area.width()));
    p.setPen(palette().color(foregroundRole()));
    p.drawText(area, int(alignment()), text());
}
