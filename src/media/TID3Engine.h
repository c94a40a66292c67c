#pragma once

#include "media/ByteSource.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// Title and artist of a track, each possibly empty.
struct TrackTags {
    QString title;
    QString artist;
};

// A picture carried in the tag (APIC, PIC in version 2.2): its type (3 is the front
// cover) and its encoded bytes.
struct EmbeddedPicture {
    int type = 0;
    QByteArray data;
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
    // The largest picture taken; larger ones are passed over.
    static constexpr qint64 MaxPicture = 8 << 20;

    explicit TID3Engine(ByteSource &source) : m_source(source) {}

    TrackTags read();
    // The front cover of the version 2 tag, else its first picture of at most MaxPicture
    // bytes; nothing when it has none.
    std::optional<EmbeddedPicture> cover();

    // The fields of APIC (or, v22, PIC) frame data; nothing when they are cut short.
    static std::optional<EmbeddedPicture> parsePicture(QByteArrayView frameData, bool v22);

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

    // Called with each frame of the tag in order until it returns false.
    using FrameVisitor = std::function<bool(ByteSource &, const FrameHeader &, const TagHeader &)>;

    static std::optional<TagHeader> tagHeader(ByteSource &source);
    void visitFrames(const FrameVisitor &visit);
    static void walkFrames(ByteSource &source, qint64 pos, const TagHeader &tag,
                           const FrameVisitor &visit);
    static qint64 skipExtendedHeader(ByteSource &source, qint64 pos, const TagHeader &tag);
    static std::optional<FrameHeader> frameHeader(ByteSource &source, qint64 pos,
                                                  const TagHeader &tag);
    static qint64 frameSizeV24(ByteSource &source, QByteArrayView sizeBytes, qint64 dataStart,
                               qint64 end);
    static bool frameCanStartAt(ByteSource &source, qint64 pos, qint64 end);
    // The frame's data after its flag bytes, inflated when compressed; nothing when it
    // is encrypted, broken or over cap.
    static std::optional<QByteArray> frameData(ByteSource &source, const FrameHeader &frame,
                                               const TagHeader &tag, qint64 cap);
    static TrackTags readV1(ByteSource &source);

    ByteSource &m_source;
};
