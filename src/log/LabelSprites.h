#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

// The names of the map as ready pictures: text with an edge of the ground's tone that keeps it
// readable over the roads. Outlining text is slow, so each name is drawn once and kept for the
// redraws that follow (panning and zooming show mostly the same names).
class LabelSprites {
public:
    static constexpr int MaxSprites = 500;   // then the store starts again
    static constexpr double HaloWidth = 3.5; // the dark edge, pixels

    // The picture of the text, its middle at the middle of the text.
    const QImage &sprite(const QString &text, const QFont &font, const QColor &colour,
                         const QColor &halo = Qt::black);
    int count() const { return int(m_sprites.size()); }

private:
    static QImage draw(const QString &text, const QFont &font, const QColor &colour,
                       const QColor &halo);

    QHash<QString, QImage> m_sprites;
};
