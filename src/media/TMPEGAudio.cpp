#include "media/TMPEGAudio.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// kbit/s by bit-rate index 0..15 (0 and 15 are never accepted).
constexpr int Mpeg1Layer1[16] = {0,   32,  64,  96,  128, 160, 192, 224,
                                 256, 288, 320, 352, 384, 416, 448, 0};
constexpr int Mpeg1Layer2[16] = {0,   32,  48,  56,  64,  80,  96,  112,
                                 128, 160, 192, 224, 256, 320, 384, 0};
constexpr int Mpeg1Layer3[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int Mpeg2Layer1[16] = {0,   32,  48,  56,  64,  80,  96,  112,
                                 128, 144, 160, 176, 192, 224, 256, 0};
constexpr int Mpeg2Layer23[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

constexpr int SampleRates[4][3] = {
    {11025, 12000, 8000},  // MPEG 2.5
    {0, 0, 0},             // reserved
    {22050, 24000, 16000}, // MPEG 2
    {44100, 48000, 32000}, // MPEG 1
};

int bitRateOf(int version, int layer, int index)
{
    if (version == TMPEGAudio::Mpeg1)
        return layer == 1   ? Mpeg1Layer1[index]
               : layer == 2 ? Mpeg1Layer2[index]
                            : Mpeg1Layer3[index];
    return layer == 1 ? Mpeg2Layer1[index] : Mpeg2Layer23[index];
}

quint32 bigEndian(const char *p)
{
    return quint32(quint8(p[0])) << 24 | quint32(quint8(p[1])) << 16 | quint32(quint8(p[2])) << 8 |
           quint32(quint8(p[3]));
}

// The first position from i on, before end, where a frame sync starts: 0xFF followed by a
// byte with its three high bits set; end when there is none. data must hold one byte
// beyond end. Sixteen positions at a time where SSE2 is there, then eight (a zero byte in
// v marks a sync; the test may see one too many, never one too few), then one.
qint64 nextSync(const char *data, qint64 i, qint64 end)
{
#ifdef __SSE2__
    const __m128i ff = _mm_set1_epi8(char(0xFF));
    const __m128i syncBits = _mm_set1_epi8(char(0xE0));
    for (; i + 16 <= end; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i + 1));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(x, ff),
                                           _mm_cmpeq_epi8(_mm_and_si128(y, syncBits), syncBits));
        if (const int mask = _mm_movemask_epi8(both))
            return i + std::countr_zero(unsigned(mask));
    }
#endif
    constexpr quint64 Ones = 0x0101010101010101ull;
    constexpr quint64 Highs = 0x8080808080808080ull;
    constexpr quint64 SyncBits = 0xE0E0E0E0E0E0E0E0ull;
    while (i < end) {
        if (i + 8 <= end) {
            quint64 x;
            quint64 y;
            std::memcpy(&x, data + i, 8);
            std::memcpy(&y, data + i + 1, 8);
            const quint64 v = ~x | ((y & SyncBits) ^ SyncBits);
            if (((v - Ones) & ~v & Highs) == 0) {
                i += 8;
                continue;
            }
        }
        for (const qint64 stop = qMin(i + 8, end); i < stop; ++i)
            if (quint8(data[i]) == 0xFF && (quint8(data[i + 1]) & 0xE0) == 0xE0)
                return i;
    }
    return end;
}

} // namespace

TMPEGAudio::TMPEGAudio(ByteSource &source, qint64 blockSize)
    : m_source(source), m_blockSize(qMax<qint64>(blockSize, 1))
{
}

std::optional<TMPEGAudio::Header> TMPEGAudio::decode(quint32 word)
{
    if ((word & 0xFFE00000u) != 0xFFE00000u)
        return std::nullopt;
    const int version = int(word >> 19 & 3);
    const int layerBits = int(word >> 17 & 3);
    const int bitRateIndex = int(word >> 12 & 15);
    const int rateIndex = int(word >> 10 & 3);
    if (version == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    Header h;
    h.version = Version(version);
    h.layer = 4 - layerBits;
    h.bitRate = bitRateOf(version, h.layer, bitRateIndex);
    h.sampleRate = SampleRates[version][rateIndex];
    h.padding = int(word >> 9 & 1);
    h.mono = (word >> 6 & 3) == 3;
    if (h.layer == 1)
        h.frameLength = (12000 * h.bitRate / h.sampleRate + h.padding) * 4;
    else if (h.layer == 2 || h.version == Mpeg1)
        h.frameLength = 144000 * h.bitRate / h.sampleRate + h.padding;
    else
        h.frameLength = 72000 * h.bitRate / h.sampleRate + h.padding;
    return h;
}

int TMPEGAudio::xingOffset(const Header &header)
{
    if (header.version == Mpeg1)
        return header.mono ? 21 : 36;
    return header.mono ? 13 : 21;
}

TMPEGAudio::Result TMPEGAudio::scan(std::stop_token stop)
{
    const qint64 size = m_source.size();
    if (size <= 5)
        return {};
    // Each block also holds the 3 bytes after it, so that every header starting in the
    // block can be read from it.
    m_block.resize(qsizetype(qMin(m_blockSize + 3, size)));
    m_blockLength = 0;
    m_blockStart = 0;
    while (m_blockStart + 4 <= size) {
        if (stop.stop_requested())
            return {Outcome::Cancelled};
        const qint64 want = qMin<qint64>(m_blockSize + 3, size - m_blockStart);
        const qint64 got = m_source.read(m_blockStart, m_block.data(), want);
        if (got < 0)
            return {Outcome::ReadError};
        m_blockLength = got;
        if (got < 4)
            break; // the file shrank while we read it
        const char *data = m_block.constData();
        const qint64 positions = qMin(m_blockSize, got - 3);
        const QByteArrayView view(data, got);
        qint64 tag = view.indexOf("ID3");
        std::optional<qint64> resume;
        for (qint64 i = nextSync(data, 0, positions); !resume;) {
            // Tags and frame syncs in file order; neither can start where the other does.
            if (tag >= 0 && tag < positions && tag < i) {
                resume = skipTag(m_blockStart + tag, size);
                if (!resume && (tag = view.indexOf("ID3", tag + 1)) < 0)
                    tag = positions;
                continue;
            }
            if (i >= positions)
                break;
            if (const auto header = decode(bigEndian(data + i))) {
                std::optional<quint32> next;
                if (!wordAt(m_blockStart + i + header->frameLength, next))
                    return {Outcome::ReadError};
                if (next && decode(*next))
                    return accept(m_blockStart + i, *header);
            }
            i = nextSync(data, i + 1, positions);
        }
        if (resume && *resume < 0)
            return {Outcome::ReadError};
        m_blockStart = resume ? *resume : m_blockStart + m_blockSize;
    }
    return {};
}

std::optional<qint64> TMPEGAudio::tagLength(QByteArrayView header, qint64 remaining)
{
    constexpr quint8 FooterPresent = 0x10;
    if (header.size() < 10 || !header.startsWith("ID3"))
        return std::nullopt;
    const int major = quint8(header[3]);
    if (major < 2 || major > 4 || quint8(header[4]) == 0xFF)
        return std::nullopt;
    qint64 body = 0;
    for (int i = 6; i < 10; ++i) {
        if (quint8(header[i]) & 0x80)
            return std::nullopt;
        body = body << 7 | quint8(header[i]);
    }
    const qint64 length = 10 + body + ((quint8(header[5]) & FooterPresent) ? 10 : 0);
    if (length > remaining)
        return std::nullopt;
    return length;
}

// -1 stands for a read error.
std::optional<qint64> TMPEGAudio::skipTag(qint64 pos, qint64 size)
{
    char header[10];
    const qint64 got = m_source.read(pos, header, sizeof header);
    if (got < 0)
        return -1;
    const auto length = tagLength(QByteArrayView(header, got), size - pos);
    if (!length)
        return std::nullopt;
    return pos + *length;
}

bool TMPEGAudio::wordAt(qint64 pos, std::optional<quint32> &word)
{
    word.reset();
    if (pos + 4 > m_source.size())
        return true;
    const qint64 inBlock = pos - m_blockStart;
    if (inBlock >= 0 && inBlock + 4 <= m_blockLength) {
        word = bigEndian(m_block.constData() + inBlock);
        return true;
    }
    char bytes[4];
    const qint64 got = m_source.read(pos, bytes, 4);
    if (got < 0)
        return false;
    if (got == 4)
        word = bigEndian(bytes);
    return true;
}

TMPEGAudio::Result TMPEGAudio::accept(qint64 offset, const Header &header)
{
    Result result{Outcome::Found, offset, header.bitRate};
    std::optional<quint32> mark;
    if (!wordAt(offset + xingOffset(header), mark))
        return {Outcome::ReadError};
    if (mark && *mark == bigEndian("Xing"))
        result.bitRate = VariableBitRate;
    if (!wordAt(offset + VbriOffset, mark))
        return {Outcome::ReadError};
    if (mark && *mark == bigEndian("VBRI"))
        result.bitRate = VariableBitRate;
    return result;
}
