#include "support/AviWriter.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>

namespace {

void u32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void u16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void fourcc(QByteArray &out, const QByteArray &code)
{
    out.append(code.leftJustified(4, ' ', true));
}

// A chunk: code, length, data, padded to an even length.
QByteArray chunk(const QByteArray &code, const QByteArray &data)
{
    QByteArray out;
    fourcc(out, code);
    u32(out, quint32(data.size()));
    out.append(data);
    if (data.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const QByteArray &type, const QByteArray &content)
{
    QByteArray data;
    fourcc(data, type);
    data.append(content);
    return chunk("LIST", data);
}

// Bottom-up BGR rows, as a DIB stores them.
QByteArray dibFrame(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray out;
    out.reserve(rgb.width() * rgb.height() * 3);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const uchar *line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            out.append(char(line[3 * x + 2]))
                .append(char(line[3 * x + 1]))
                .append(char(line[3 * x]));
    }
    return out;
}

QByteArray jpegFrame(const QImage &image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", 90);
    return out;
}

} // namespace

QImage AviWriter::colourBars(int frame, QSize size)
{
    static const QRgb bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    QImage image(size, QImage::Format_RGB888);
    QPainter p(&image);
    const int n = int(std::size(bars));
    for (int i = 0; i < n; ++i)
        p.fillRect(QRect(i * size.width() / n, 0, (i + 1) * size.width() / n - i * size.width() / n,
                         size.height()),
                   QColor(bars[i]));
    const int side = size.height() / 4;
    p.fillRect(QRect(frame % qMax(1, size.width() - side), size.height() - side, side, side),
               QColor(128, 128, 128));
    return image;
}

QByteArray AviWriter::bytes(const Film &film, const FramePainter &paint)
{
    const FramePainter painter = paint ? paint : FramePainter(&AviWriter::colourBars);
    const QSize size(film.width, film.height);
    const QByteArray frameCode = film.jpeg ? "00dc" : "00db";

    QByteArray movi;
    QByteArray idx1;
    quint32 largest = 0;
    for (int f = 0; f < film.frames; ++f) {
        const QImage image = painter(f, size);
        const QByteArray frame = film.jpeg ? jpegFrame(image) : dibFrame(image);
        const quint32 offset = quint32(4 + movi.size()); // from the "movi" code
        movi.append(chunk(frameCode, frame));
        fourcc(idx1, frameCode);
        u32(idx1, 0x10); // key frame
        u32(idx1, offset);
        u32(idx1, quint32(frame.size()));
        largest = qMax(largest, quint32(frame.size()));
    }

    QByteArray avih;
    u32(avih, quint32(1000000 / film.framesPerSecond)); // microseconds per frame
    u32(avih, largest * quint32(film.framesPerSecond));
    u32(avih, 0);
    u32(avih, 0x10); // has an index
    u32(avih, quint32(film.frames));
    u32(avih, 0);
    u32(avih, 1); // streams
    u32(avih, largest);
    u32(avih, quint32(film.width));
    u32(avih, quint32(film.height));
    for (int i = 0; i < 4; ++i)
        u32(avih, 0);

    QByteArray strh;
    fourcc(strh, "vids");
    strh.append(film.handler.leftJustified(4, ' ', true));
    u32(strh, 0);                             // flags
    u16(strh, 0);                             // priority
    u16(strh, 0);                             // language
    u32(strh, 0);                             // initial frames
    u32(strh, 1);                             // scale
    u32(strh, quint32(film.framesPerSecond)); // rate
    u32(strh, 0);                             // start
    u32(strh, quint32(film.frames));
    u32(strh, largest);
    u32(strh, 0xFFFFFFFF); // quality
    u32(strh, 0);          // sample size
    u16(strh, 0);
    u16(strh, 0);
    u16(strh, quint16(film.width));
    u16(strh, quint16(film.height));

    QByteArray strf; // BITMAPINFOHEADER
    u32(strf, 40);
    u32(strf, quint32(film.width));
    u32(strf, quint32(film.height)); // positive: bottom-up rows
    u16(strf, 1);
    u16(strf, 24);
    if (film.jpeg)
        fourcc(strf, "MJPG");
    else
        u32(strf, 0); // BI_RGB
    u32(strf, quint32(film.width * film.height * 3));
    for (int i = 0; i < 4; ++i)
        u32(strf, 0);

    const QByteArray hdrl =
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));

    QByteArray riff;
    fourcc(riff, "AVI ");
    riff.append(hdrl);
    riff.append(list("movi", movi));
    riff.append(chunk("idx1", idx1));
    return chunk("RIFF", riff);
}

bool AviWriter::write(const QString &path, const Film &film, const FramePainter &paint)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray data = bytes(film, paint);
    return file.write(data) == data.size();
}
