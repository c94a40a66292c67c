#pragma once

#include <QImage>

// The radar map's background picture.
class RadarPainter {
public:
    // 631 x 278: a dark green radar field with range rings and a sweep, the car at the
    // centre heading up. Mid-toned enough that the map's black dots and lines show.
    static QImage mapBackground();
};
