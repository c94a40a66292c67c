#pragma once

#include <QImage>

// The pictures of the demo program directory.
class Painter {
public:
    static QImage mainBackground();
    static QImage audio();
    static QImage video();
    static QImage nowPlayingBackground();
    // The speed-camera alert: a warning sign with a camera.
    static QImage alert();
    // An artist's picture for stars/: a stage with the name.
    static QImage star(const QString &name);
};
