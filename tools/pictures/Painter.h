#pragma once

#include <QImage>

// The pictures of the demo program directory.
class Painter {
public:
    static QImage mainBackground();
    static QImage audio();
    static QImage video();
    static QImage nowPlayingBackground();
};
