#pragma once

#include "media/ByteSource.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Title and artist of a track, each possibly empty.
struct TrackTags {
    QString title;
    QString artist;
};

// Reads title and artist from the ID3 tag of a track: the version 2 tag at the start of
// the file (versions 2.2, 2.3 and 2.4), else, when that gives neither text, the version 1
// tag in the last 128 bytes. Only reads. No size in the file is trusted: a frame or tag
// that claims more bytes than there are is skipped, compressed frames are inflated to a
// bounded size, and nothing is read outside the source.
class TID3Engine {
public:
    // The largest text frame taken, before and after inflating.
    static constexpr qint64 MaxTextFrame = 1 << 20;

    explicit TID3Engine(ByteSource &source) : m_source(source) {}

    TrackTags read();

    // Frame text: an encoding byte (0 Latin-1, 1 UTF-16 after a byte-order mark, 2
    // UTF-16BE, 3 UTF-8; others read as Latin-1), then the text up to the encoding's
    // terminator, trimmed of spaces and control characters at both ends.
    static QString decodeText(QByteArrayView frameData);
    // Undoes unsynchronisation: every 0xFF 0x00 becomes 0xFF.
    static QByteArray resynchronise(QByteArrayView bytes);
    // zlib data inflated to at most cap bytes; nothing when the data is broken,
    // incomplete or inflates past the cap.
    static std::optional<QByteArray> inflateCapped(QByteArrayView bytes, qint64 cap);
    static QString trimmed(const QString &text);

private:
    struct TagHeader {
        int major = 0;
        quint8 flags = 0;
        qint64 end = 0; // offset just past the tag, never past the source
    };
    struct FrameHeader {
        QByteArray id;
        qint64 dataStart = 0;
        qint64 size = 0;
        quint8 format = 0;
    };

    static std::optional<TagHeader> tagHeader(ByteSource &source);
    static TrackTags readFrames(ByteSource &source, qint64 pos, const TagHeader &tag);
    static std::optional<qint64> skipExtendedHeader(ByteSource &source, qint64 pos,
                                                    const TagHeader &tag);
    static std::optional<FrameHeader> frameHeader(ByteSource &source, qint64 pos,
                                                  const TagHeader &tag);
    static qint64 frameSizeV24(ByteSource &source, QByteArrayView sizeBytes, qint64 dataStart,
                               qint64 end);
    static bool frameCanStartAt(ByteSource &source, qint64 pos, qint64 end);
    static std::optional<QString> frameText(ByteSource &source, const FrameHeader &frame,
                                            const TagHeader &tag);
    static TrackTags readV1(ByteSource &source);

    ByteSource &m_source;
};
