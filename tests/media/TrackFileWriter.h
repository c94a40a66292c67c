#pragma once

// Writes the pieces of MP3 files that the tag reader and frame scanner take apart: ID3
// version 1 and 2 tags with their frames, and MPEG audio frames (a header, then zero
// side information and zero main data: valid silent Layer III frames). Header-only so
// that the fuzzers' seed generators use it too.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringEncoder>

#include <zlib.h>

namespace TrackFileWriter {

inline QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i) & 0xFF));
    return out;
}

inline QByteArray syncsafe(quint32 value)
{
    QByteArray out;
    for (int i = 3; i >= 0; --i)
        out.append(char(value >> (7 * i) & 0x7F));
    return out;
}

// Inserts a zero after every 0xFF that is followed by 0xE0 or more, by zero, or ends the
// data, as an unsynchronising writer does.
inline QByteArray unsynchronise(QByteArrayView bytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out.append(bytes[i]);
        if (quint8(bytes[i]) == 0xFF &&
            (i + 1 == bytes.size() || bytes[i + 1] == 0 || quint8(bytes[i + 1]) >= 0xE0))
            out.append('\0');
    }
    return out;
}

inline QByteArray compress(QByteArrayView bytes)
{
    uLongf length = compressBound(uLong(bytes.size()));
    QByteArray out(qsizetype(length), Qt::Uninitialized);
    ::compress(reinterpret_cast<Bytef *>(out.data()), &length,
               reinterpret_cast<const Bytef *>(bytes.data()), uLong(bytes.size()));
    out.truncate(qsizetype(length));
    return out;
}

// Text frame data: the encoding byte, then the text as that encoding writes it.
inline QByteArray latin1Text(const QString &text)
{
    return '\0' + text.toLatin1();
}
inline QByteArray utf8Text(const QString &text)
{
    return '\3' + text.toUtf8();
}
// Encoding 1: a byte-order mark, then UTF-16 in that order.
inline QByteArray utf16Text(const QString &text, bool bigEndianOrder)
{
    QStringEncoder encoder(bigEndianOrder ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE);
    const QByteArray bom = bigEndianOrder ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    return '\1' + bom + QByteArray(encoder.encode(text));
}
// Encoding 2: UTF-16 big-endian without a mark.
inline QByteArray utf16BeText(const QString &text)
{
    QStringEncoder encoder(QStringEncoder::Utf16BE);
    return '\2' + QByteArray(encoder.encode(text));
}

inline QByteArray frame22(const QByteArray &id, const QByteArray &data)
{
    return id + bigEndian(quint32(data.size()), 3) + data;
}
// Version 2.3: plain 32-bit size.
inline QByteArray frame23(const QByteArray &id, const QByteArray &data, quint8 format = 0)
{
    return id + bigEndian(quint32(data.size()), 4) + '\0' + char(format) + data;
}
// Version 2.4: syncsafe size.
inline QByteArray frame24(const QByteArray &id, const QByteArray &data, quint8 format = 0)
{
    return id + syncsafe(quint32(data.size())) + '\0' + char(format) + data;
}

// A version 2 tag: header, then body and padding bytes; the size counts both.
inline QByteArray tag(int major, quint8 flags, const QByteArray &body, int padding = 0)
{
    return "ID3" + QByteArray(1, char(major)) + '\0' + char(flags) +
           syncsafe(quint32(body.size() + padding)) + body + QByteArray(padding, '\0');
}

// A version 1 tag: 128 bytes.
inline QByteArray v1(const QByteArray &title, const QByteArray &artist)
{
    QByteArray out = "TAG";
    out += title.leftJustified(30, '\0', true);
    out += artist.leftJustified(30, '\0', true);
    return out.leftJustified(128, '\0');
}

// An MPEG audio frame header. version 3 = MPEG 1, 2 = MPEG 2, 0 = MPEG 2.5; layer 1..3.
inline QByteArray mpegHeader(int version, int layer, int bitRateIndex, int rateIndex,
                             int padding = 0, bool mono = false, bool protectedByCrc = false)
{
    quint32 word = 0xFFE00000u | quint32(version) << 19 | quint32(4 - layer) << 17 |
                   quint32(protectedByCrc ? 0 : 1) << 16 | quint32(bitRateIndex) << 12 |
                   quint32(rateIndex) << 10 | quint32(padding) << 9 | (mono ? 3u : 0u) << 6;
    return bigEndian(word, 4);
}

// A whole frame of the given length: the header, zeros, and the "Xing" mark at xingAt
// when given.
inline QByteArray mpegFrame(const QByteArray &header, int length, int xingAt = -1)
{
    QByteArray frame = header + QByteArray(length - header.size(), '\0');
    if (xingAt >= 0)
        frame.replace(xingAt, 4, "Xing");
    return frame;
}

// count frames of MPEG 1 Layer III, 128 kbit/s, 44100 Hz, stereo: 417 bytes each.
inline QByteArray cbr128(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += mpegFrame(mpegHeader(3, 3, 9, 0), 417);
    return out;
}

} // namespace TrackFileWriter
