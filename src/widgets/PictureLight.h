#pragma once

#include <QImage>

class QWidget;

// Pictures by night keep only part of their light, as if seen through a dark glass, so
// that a photograph does not dazzle next to the night colours. light 1 (or more) keeps a
// picture as it is, 0 makes it black.
class PictureLight {
public:
    static QImage dimmed(const QImage &picture, qreal light);
    // A widget showing a picture on black: drawn at that opacity from now on.
    static void apply(QWidget &picture, qreal light);
};
