#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <span>
#include <vector>

class LabelSprites;
class QPainter;

// Writes names on the map without letting two overlap: a place name centred on its point
// (or just above or below it), a road name along the longest nearly straight stretch of
// the road that holds it.
class LabelPlacer {
public:
    LabelPlacer(QPainter &painter, QRectF area, LabelSprites &sprites,
                const QColor &halo = Qt::black);

    // Keeps names off an area.
    void reserve(const QRectF &area) { m_taken.push_back(area); }
    // False when the name doesn't fit or would cover another.
    bool placeAt(const QString &text, QPointF point, const QFont &font, const QColor &colour);
    bool placeAlong(const QString &text, std::span<const QPointF> line, const QFont &font,
                    const QColor &colour);
    int count() const { return m_count; }

private:
    struct Stretch {
        QPointF from;
        QPointF to;
        double length = 0.0;
    };

    Stretch longestStretch(std::span<const QPointF> line) const;
    bool isFree(const QRectF &bounds) const;
    void draw(const QString &text, QPointF centre, double degrees, const QFont &font,
              const QColor &colour);

    QPainter &m_painter;
    QRectF m_area;
    LabelSprites &m_sprites;
    QColor m_halo;
    std::vector<QRectF> m_taken;
    int m_count = 0;
};
