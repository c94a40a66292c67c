#include "log/LabelSprites.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

const QImage &LabelSprites::sprite(const QString &text, const QFont &font, const QColor &colour,
                                   const QColor &halo)
{
    const QString key = QStringLiteral("%1\n%2\n%3\n%4\n%5")
                            .arg(font.pixelSize())
                            .arg(font.bold())
                            .arg(colour.rgba())
                            .arg(halo.rgba())
                            .arg(text);
    const auto found = m_sprites.constFind(key);
    if (found != m_sprites.cend())
        return found.value();
    if (m_sprites.size() >= MaxSprites)
        m_sprites.clear();
    return m_sprites.insert(key, draw(text, font, colour, halo)).value();
}

QImage LabelSprites::draw(const QString &text, const QFont &font, const QColor &colour,
                          const QColor &halo)
{
    const QFontMetricsF metrics(font);
    const int edge = int(std::ceil(HaloWidth)) + 1;
    const QSize size(int(std::ceil(metrics.horizontalAdvance(text))) + 2 * edge,
                     int(std::ceil(metrics.height())) + 2 * edge);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainterPath path;
    path.addText(0.0, 0.0, font, text);
    path.translate((size.width() - metrics.horizontalAdvance(text)) / 2.0,
                   (size.height() - metrics.height()) / 2.0 + metrics.ascent());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(path, QPen(halo, HaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
    return image;
}
