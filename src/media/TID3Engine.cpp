#include "media/TID3Engine.h"

#include "media/MemoryByteSource.h"

#include <QStringDecoder>

#include <zlib.h>

#include <array>
#include <climits>

namespace {

constexpr quint8 TagUnsynchronised = 0x80;
constexpr quint8 TagExtendedHeader = 0x40;
constexpr quint8 V22TagCompressed = 0x40;

quint8 byteAt(QByteArrayView bytes, qsizetype i) { return quint8(bytes[i]); }

qint64 plainSize(QByteArrayView bytes)
{
    qint64 n = 0;
    for (char c : bytes)
        n = (n << 8) | quint8(c);
    return n;
}

// Seven value bits per byte, most significant byte first.
qint64 syncsafeSize(QByteArrayView bytes)
{
    qint64 n = 0;
    for (char c : bytes)
        n = (n << 7) | (quint8(c) & 0x7F);
    return n;
}

bool isIdChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool isFrameId(QByteArrayView id)
{
    for (char c : id)
        if (!isIdChar(c))
            return false;
    return !id.isEmpty();
}

int idLength(int major) { return major == 2 ? 3 : 4; }
int frameHeaderSize(int major) { return major == 2 ? 6 : 10; }

// Length in bytes of the first string of a UTF-16 text: up to a zero code unit.
qsizetype utf16Length(QByteArrayView text)
{
    qsizetype i = 0;
    while (i + 1 < text.size() && !(text[i] == 0 && text[i + 1] == 0))
        i += 2;
    return i;
}

// A leading byte-order mark decides the order; big-endian without one.
QString decodeUtf16(QByteArrayView text)
{
    bool bigEndian = true;
    if (text.size() >= 2 && byteAt(text, 0) == 0xFF && byteAt(text, 1) == 0xFE) {
        bigEndian = false;
        text = text.sliced(2);
    } else if (text.size() >= 2 && byteAt(text, 0) == 0xFE && byteAt(text, 1) == 0xFF) {
        bigEndian = true;
        text = text.sliced(2);
    }
    text = text.first(utf16Length(text));
    QStringDecoder decoder(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                           QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(text);
}

QString decodeUtf8(QByteArrayView text)
{
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text = text.first(zero);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    return QString::fromUtf8(text);
}

QString decodeLatin1(QByteArrayView text)
{
    const qsizetype zero = text.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? text : text.first(zero));
}

struct InflateStream {
    z_stream zs{};
    bool ready = false;
    InflateStream() { ready = inflateInit(&zs) == Z_OK; }
    ~InflateStream()
    {
        if (ready)
            inflateEnd(&zs);
    }
    InflateStream(const InflateStream &) = delete;
    InflateStream &operator=(const InflateStream &) = delete;
};

} // namespace

TrackTags TID3Engine::read()
{
    TrackTags tags;
    bool haveTitle = false;
    bool haveArtist = false;
    visitFrames([&](ByteSource &source, const FrameHeader &frame, const TagHeader &tag) {
        const bool v22 = tag.major == 2;
        const bool isTitle = !haveTitle && frame.id == (v22 ? "TT2" : "TIT2");
        const bool isArtist = !haveArtist && frame.id == (v22 ? "TP1" : "TPE1");
        if (isTitle || isArtist) {
            if (const auto data = frameData(source, frame, tag, MaxTextFrame)) {
                (isTitle ? tags.title : tags.artist) = decodeText(*data);
                (isTitle ? haveTitle : haveArtist) = true;
            }
        }
        return !(haveTitle && haveArtist);
    });
    if (tags.title.isEmpty() && tags.artist.isEmpty())
        tags = readV1(m_source);
    return tags;
}

std::optional<EmbeddedPicture> TID3Engine::cover()
{
    constexpr int FrontCover = 3;
    // Room for the MIME type and description beside the largest picture.
    constexpr qint64 FieldAllowance = 64 * 1024;
    std::optional<EmbeddedPicture> first;
    std::optional<EmbeddedPicture> front;
    visitFrames([&](ByteSource &source, const FrameHeader &frame, const TagHeader &tag) {
        const bool v22 = tag.major == 2;
        if (frame.id != (v22 ? "PIC" : "APIC"))
            return true;
        const auto data = frameData(source, frame, tag, MaxPicture + FieldAllowance);
        if (!data)
            return true;
        auto picture = parsePicture(*data, v22);
        if (!picture || picture->data.isEmpty() || picture->data.size() > MaxPicture)
            return true;
        if (picture->type == FrontCover) {
            front = std::move(picture);
            return false;
        }
        if (!first)
            first = std::move(picture);
        return true;
    });
    return front ? front : first;
}

std::optional<EmbeddedPicture> TID3Engine::parsePicture(QByteArrayView frameData, bool v22)
{
    if (frameData.isEmpty())
        return std::nullopt;
    const quint8 encoding = byteAt(frameData, 0);
    qsizetype pos = 1;
    if (v22) {
        pos += 3; // image format, "JPG" or "PNG"
    } else {
        const qsizetype end = frameData.indexOf('\0', pos);
        if (end < 0)
            return std::nullopt;
        pos = end + 1; // MIME type
    }
    if (pos >= frameData.size())
        return std::nullopt;
    EmbeddedPicture picture;
    picture.type = byteAt(frameData, pos++);
    // The description ends at a zero of its encoding's width.
    if (encoding == 1 || encoding == 2) {
        for (;; pos += 2) {
            if (pos + 1 >= frameData.size())
                return std::nullopt;
            if (frameData[pos] == 0 && frameData[pos + 1] == 0)
                break;
        }
        pos += 2;
    } else {
        const qsizetype end = frameData.indexOf('\0', pos);
        if (end < 0)
            return std::nullopt;
        pos = end + 1;
    }
    picture.data = frameData.sliced(pos).toByteArray();
    return picture;
}

void TID3Engine::visitFrames(const FrameVisitor &visit)
{
    const auto tag = tagHeader(m_source);
    if (!tag)
        return;
    if (tag->major < 4 && (tag->flags & TagUnsynchronised)) {
        // Before version 2.4 the whole tag after its header is unsynchronised, frame
        // headers included: frames can only be found once that is undone.
        const QByteArray body = resynchronise(m_source.readBytes(10, tag->end - 10));
        MemoryByteSource inner(body);
        TagHeader innerTag = *tag;
        innerTag.end = body.size();
        walkFrames(inner, 0, innerTag, visit);
    } else {
        walkFrames(m_source, 10, *tag, visit);
    }
}

std::optional<TID3Engine::TagHeader> TID3Engine::tagHeader(ByteSource &source)
{
    const QByteArray head = source.readBytes(0, 10);
    if (head.size() < 10 || !head.startsWith("ID3"))
        return std::nullopt;
    TagHeader tag;
    tag.major = byteAt(head, 3);
    tag.flags = byteAt(head, 5);
    // Versions before 2.2 were never published and later ones are not readable by
    // this layout; a version 2.2 tag with its compression flag has no defined scheme.
    if (tag.major < 2 || tag.major > 4 || (tag.major == 2 && (tag.flags & V22TagCompressed)))
        return std::nullopt;
    tag.end = qMin(10 + syncsafeSize(QByteArrayView(head).sliced(6, 4)), source.size());
    return tag;
}

void TID3Engine::walkFrames(ByteSource &source, qint64 pos, const TagHeader &tag,
                            const FrameVisitor &visit)
{
    if (tag.major >= 3 && (tag.flags & TagExtendedHeader))
        pos = skipExtendedHeader(source, pos, tag);
    while (const auto frame = frameHeader(source, pos, tag)) {
        if (!visit(source, *frame, tag))
            return;
        pos = frame->dataStart + frame->size;
    }
}

// An extended header whose size can't be right (past the tag, too small to hold its own
// fields, or not syncsafe in version 2.4) was claimed by a flag the writer set wrongly:
// the frames are then read from right after the tag header rather than lost.
qint64 TID3Engine::skipExtendedHeader(ByteSource &source, qint64 pos, const TagHeader &tag)
{
    const QByteArray sizeBytes = source.readBytes(pos, 4);
    if (sizeBytes.size() < 4)
        return pos;
    if (tag.major == 4) {
        for (char c : sizeBytes)
            if (quint8(c) & 0x80)
                return pos;
    }
    // Version 2.3 counts the extended header without its plain size field; version 2.4
    // counts all of it in a syncsafe number.
    const qint64 length = tag.major == 3 ? 4 + plainSize(sizeBytes) : syncsafeSize(sizeBytes);
    if (length < 6 || length > tag.end - pos)
        return pos;
    return pos + length;
}

std::optional<TID3Engine::FrameHeader> TID3Engine::frameHeader(ByteSource &source, qint64 pos,
                                                               const TagHeader &tag)
{
    const int headerSize = frameHeaderSize(tag.major);
    const int idSize = idLength(tag.major);
    if (pos < 0 || tag.end - pos < headerSize)
        return std::nullopt;
    const QByteArray head = source.readBytes(pos, headerSize);
    // Padding, a lower-case identifier or any other byte ends the frame list.
    if (head.size() < headerSize || !isFrameId(QByteArrayView(head).first(idSize)))
        return std::nullopt;
    FrameHeader frame;
    frame.id = head.first(idSize);
    frame.dataStart = pos + headerSize;
    const QByteArrayView sizeBytes = QByteArrayView(head).sliced(idSize, tag.major == 2 ? 3 : 4);
    if (tag.major == 4)
        frame.size = frameSizeV24(source, sizeBytes, frame.dataStart, tag.end);
    else
        frame.size = plainSize(sizeBytes);
    if (tag.major >= 3)
        frame.format = byteAt(head, 9);
    // A frame reaching past the tag hides where the next one starts: the list ends here.
    if (frame.size > tag.end - frame.dataStart)
        return std::nullopt;
    return frame;
}

// Version 2.4 frame sizes are syncsafe, but some writers store plain numbers there. When
// the two readings differ, the one after which a frame, padding or the tag's end follows
// wins; the syncsafe reading when neither or both do.
qint64 TID3Engine::frameSizeV24(ByteSource &source, QByteArrayView sizeBytes, qint64 dataStart,
                                qint64 end)
{
    const qint64 syncsafe = syncsafeSize(sizeBytes);
    const qint64 plain = plainSize(sizeBytes);
    if (syncsafe == plain || frameCanStartAt(source, dataStart + syncsafe, end))
        return syncsafe;
    return frameCanStartAt(source, dataStart + plain, end) ? plain : syncsafe;
}

bool TID3Engine::frameCanStartAt(ByteSource &source, qint64 pos, qint64 end)
{
    if (pos == end)
        return true;
    if (pos > end)
        return false;
    const QByteArray head = source.readBytes(pos, qMin<qint64>(4, end - pos));
    if (head.isEmpty())
        return false;
    return head[0] == 0 || (head.size() == 4 && isFrameId(head));
}

std::optional<QByteArray> TID3Engine::frameData(ByteSource &source, const FrameHeader &frame,
                                                const TagHeader &tag, qint64 cap)
{
    bool compressed = false;
    bool encrypted = false;
    bool unsynchronised = false;
    qint64 extra = 0; // bytes the flags add before the frame data
    if (tag.major == 3) {
        compressed = frame.format & 0x80;         // 4 bytes of inflated size follow the header
        encrypted = frame.format & 0x40;          // 1 byte encryption method
        const bool grouped = frame.format & 0x20; // 1 byte group identifier
        extra = (compressed ? 4 : 0) + (encrypted ? 1 : 0) + (grouped ? 1 : 0);
    } else if (tag.major == 4) {
        const bool grouped = frame.format & 0x40;
        compressed = frame.format & 0x08;
        encrypted = frame.format & 0x04;
        // In version 2.4 the tag's unsynchronisation flag stands for every frame's.
        unsynchronised = (frame.format & 0x02) || (tag.flags & TagUnsynchronised);
        const bool lengthGiven = frame.format & 0x01;
        extra = (grouped ? 1 : 0) + (encrypted ? 1 : 0) + (lengthGiven ? 4 : 0);
    }
    if (encrypted || frame.size > cap + extra)
        return std::nullopt;
    QByteArray body = source.readBytes(frame.dataStart, frame.size);
    if (body.size() != frame.size)
        return std::nullopt;
    if (unsynchronised)
        body = resynchronise(body);
    if (extra > body.size())
        return std::nullopt;
    QByteArray data = body.sliced(extra);
    if (compressed) {
        auto inflated = inflateCapped(data, cap);
        if (!inflated)
            return std::nullopt;
        data = std::move(*inflated);
    }
    return data;
}

TrackTags TID3Engine::readV1(ByteSource &source)
{
    if (source.size() < 128)
        return {};
    const QByteArray tag = source.readBytes(source.size() - 128, 128);
    if (tag.size() < 128 || !tag.startsWith("TAG"))
        return {};
    const QByteArrayView view(tag);
    return {trimmed(decodeLatin1(view.sliced(3, 30))), trimmed(decodeLatin1(view.sliced(33, 30)))};
}

QString TID3Engine::decodeText(QByteArrayView frameData)
{
    if (frameData.isEmpty())
        return {};
    const QByteArrayView text = frameData.sliced(1);
    switch (byteAt(frameData, 0)) {
    case 1: // a byte-order mark should lead; big-endian without one, as Unicode has it
    case 2: // big-endian; a byte-order mark some writers put there anyway is obeyed
        return trimmed(decodeUtf16(text));
    case 3:
        return trimmed(decodeUtf8(text));
    default:
        return trimmed(decodeLatin1(text));
    }
}

QByteArray TID3Engine::resynchronise(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype ff = bytes.indexOf('\xFF', from);
        if (ff < 0 || ff + 1 >= bytes.size()) {
            out.append(bytes.sliced(from));
            break;
        }
        out.append(bytes.sliced(from, ff + 1 - from));
        from = bytes[ff + 1] == 0 ? ff + 2 : ff + 1;
    }
    return out;
}

std::optional<QByteArray> TID3Engine::inflateCapped(QByteArrayView bytes, qint64 cap)
{
    InflateStream stream;
    if (!stream.ready || bytes.size() > qsizetype(UINT_MAX))
        return std::nullopt;
    stream.zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.zs.avail_in = uInt(bytes.size());
    QByteArray out;
    std::array<char, 16384> chunk;
    for (;;) {
        stream.zs.next_out = reinterpret_cast<Bytef *>(chunk.data());
        stream.zs.avail_out = uInt(chunk.size());
        const int status = inflate(&stream.zs, Z_NO_FLUSH);
        const qint64 produced = qint64(chunk.size()) - stream.zs.avail_out;
        if (status != Z_OK && status != Z_STREAM_END)
            return std::nullopt; // broken data, or input ended before the stream did
        if (out.size() + produced > cap)
            return std::nullopt;
        out.append(chunk.data(), qsizetype(produced));
        if (status == Z_STREAM_END)
            return out;
    }
}

QString TID3Engine::trimmed(const QString &text)
{
    const auto blank = [](QChar c) {
        return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
    };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}
