#pragma once

#include <QByteArray>
#include <QString>

class ByteSource;

// The codec of a video file as the video list shows it. In an AVI file the four bytes at
// offset 112 are the handler code of the first stream header ("XVID", "DIVX"); MPEG
// files have other bytes there, often 0xFF padding.
class VideoCodecTag {
public:
    static constexpr qint64 Offset = 112;
    static inline const QByteArray Unreadable = QByteArrayLiteral("n/a");

    // The four bytes at the offset (fewer, or none, in a shorter file); "n/a" when the file
    // can't be opened or read.
    static QByteArray ReadVideoCodecTag(ByteSource &source);
    static QByteArray ReadVideoCodecTag(const QString &path);

    // "MPG" for an empty tag or four 0xFF bytes; otherwise the tag in upper case (ASCII
    // letters only), its control characters left out ("n/a" becomes "N/A").
    static QString videoType(const QByteArray &tag);
    static QString ReadVideoType(const QString &path) { return videoType(ReadVideoCodecTag(path)); }

    // Which logo the codec field shows.
    static bool isDivX(const QString &type) { return type.left(3).toUpper() == u"DIV"; }
    static bool isXviD(const QString &type) { return type.left(4).toUpper() == u"XVID"; }
};
