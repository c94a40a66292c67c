#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

// Writes short AVI films (one video stream of uncompressed 24-bit RGB or of JPEG frames,
// an index), so that tests and the demo directory have real films without any video
// tool. The stream header's handler code lies at offset 112, where the codec tag is read.
class AviWriter {
public:
    struct Film {
        int width = 32; // a multiple of 4: rows need no padding
        int height = 16;
        int framesPerSecond = 10;
        int frames = 10;
        QByteArray handler = "DIB "; // four bytes
        bool jpeg = false;           // JPEG frames (Motion JPEG): a tenth of the size
    };
    using FramePainter = std::function<QImage(int frame, QSize size)>;

    static QByteArray bytes(const Film &film, const FramePainter &paint = {});
    static bool write(const QString &path, const Film &film, const FramePainter &paint = {});

    // Eight vertical colour bars (white, yellow, cyan, green, magenta, red, blue, black),
    // with a grey square that moves a little with every frame.
    static QImage colourBars(int frame, QSize size);
};
