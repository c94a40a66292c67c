#include "log/LabelPlacer.h"

#include "log/LabelSprites.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace {

// Segments that turn more than this away from the first one end a stretch.
constexpr double StraightDegrees = 14.0;
constexpr double Margin = 6.0; // free space kept around a name

double degreesOf(QPointF d) { return std::atan2(d.y(), d.x()) * 180.0 / std::numbers::pi; }

double turn(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

} // namespace

LabelPlacer::LabelPlacer(QPainter &painter, QRectF area, LabelSprites &sprites, const QColor &halo)
    : m_painter(painter), m_area(area), m_sprites(sprites), m_halo(halo)
{
}

bool LabelPlacer::placeAt(const QString &text, QPointF point, const QFont &font,
                          const QColor &colour)
{
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    // On the point, or just above or below it when that is taken.
    for (const double shift : {0.0, -1.0, 1.0}) {
        const QPointF centre = point + QPointF(0.0, shift * (size.height() + Margin));
        const QRectF bounds(centre - QPointF(size.width(), size.height()) / 2.0, size);
        if (!m_area.contains(bounds) || !isFree(bounds))
            continue;
        draw(text, centre, 0.0, font, colour);
        m_taken.push_back(bounds.adjusted(-Margin, -Margin, Margin, Margin));
        ++m_count;
        return true;
    }
    return false;
}

bool LabelPlacer::placeAlong(const QString &text, std::span<const QPointF> line, const QFont &font,
                             const QColor &colour)
{
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const Stretch stretch = longestStretch(line);
    const double room = stretch.length - width - 2 * Margin;
    if (room < 0.0)
        return false;
    double degrees = degreesOf(stretch.to - stretch.from);
    // Upright text: never upside down.
    if (degrees > 90.0)
        degrees -= 180.0;
    else if (degrees <= -90.0)
        degrees += 180.0;
    const QPointF middle = (stretch.from + stretch.to) / 2.0;
    const QPointF step = (stretch.to - stretch.from) / stretch.length * (room / 4.0);
    // The middle of the stretch first, then further out where another name is in the way.
    for (const double slide : {0.0, -1.0, 1.0, -2.0, 2.0}) {
        const QPointF centre = middle + step * slide;
        QTransform turnAround;
        turnAround.translate(centre.x(), centre.y());
        turnAround.rotate(degrees);
        const QRectF box(-width / 2.0, -metrics.height() / 2.0, width, metrics.height());
        const QRectF bounds = turnAround.mapRect(box);
        if (!isFree(bounds))
            continue;
        draw(text, centre, degrees, font, colour);
        m_taken.push_back(bounds.adjusted(-Margin, -Margin, Margin, Margin));
        ++m_count;
        return true;
    }
    return false;
}

LabelPlacer::Stretch LabelPlacer::longestStretch(std::span<const QPointF> line) const
{
    const QRectF inside = m_area.adjusted(Margin, Margin, -Margin, -Margin);
    Stretch best;
    std::size_t start = 0;
    while (start + 1 < line.size()) {
        if (!inside.contains(line[start])) {
            ++start;
            continue;
        }
        const double heading = degreesOf(line[start + 1] - line[start]);
        std::size_t end = start;
        while (end + 1 < line.size() && inside.contains(line[end + 1]) &&
               turn(degreesOf(line[end + 1] - line[end]), heading) < StraightDegrees)
            ++end;
        if (end > start) {
            const QPointF d = line[end] - line[start];
            const double length = std::hypot(d.x(), d.y());
            if (length > best.length)
                best = {line[start], line[end], length};
        }
        start = std::max(end, start + 1);
    }
    return best;
}

bool LabelPlacer::isFree(const QRectF &bounds) const
{
    for (const QRectF &taken : m_taken)
        if (taken.intersects(bounds))
            return false;
    return true;
}

void LabelPlacer::draw(const QString &text, QPointF centre, double degrees, const QFont &font,
                       const QColor &colour)
{
    const QImage &sprite = m_sprites.sprite(text, font, colour, m_halo);
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, degrees != 0.0);
    m_painter.translate(centre);
    m_painter.rotate(degrees);
    m_painter.drawImage(QPointF(-sprite.width() / 2.0, -sprite.height() / 2.0), sprite);
    m_painter.restore();
}
