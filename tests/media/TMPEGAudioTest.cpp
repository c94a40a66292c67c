#include "ReferenceScan.h"
#include "TrackFileWriter.h"

#include "media/MemoryByteSource.h"
#include "media/TMPEGAudio.h"

#include <gtest/gtest.h>

#include <random>

using namespace TrackFileWriter;
using Outcome = TMPEGAudio::Outcome;

namespace {

TMPEGAudio::Result scanBytes(const QByteArray &bytes, qint64 blockSize = 64 * 1024)
{
    MemoryByteSource source(bytes);
    return TMPEGAudio(source, blockSize).scan();
}

quint32 word(const QByteArray &header)
{
    return quint32(quint8(header[0])) << 24 | quint32(quint8(header[1])) << 16 |
           quint32(quint8(header[2])) << 8 | quint32(quint8(header[3]));
}

// A memory source that counts its reads and can fail from a given read on.
class TestSource : public ByteSource {
public:
    explicit TestSource(QByteArray bytes, int failFromRead = -1)
        : m_bytes(std::move(bytes)), m_memory(m_bytes), m_failFrom(failFromRead)
    {
    }
    qint64 size() const override { return m_bytes.size(); }
    qint64 read(qint64 offset, char *dest, qint64 length) override
    {
        if (m_failFrom >= 0 && reads >= m_failFrom)
            return -1;
        ++reads;
        return m_memory.read(offset, dest, length);
    }
    int reads = 0;

private:
    QByteArray m_bytes;
    MemoryByteSource m_memory;
    int m_failFrom;
};

} // namespace

TEST(TMPEGAudio, HeaderFieldsBitRatesAndFrameLengths)
{
    struct Case {
        int version, layer, bitRateIndex, rateIndex, padding, bitRate, sampleRate, length;
    };
    const Case cases[] = {
        {3, 3, 9, 0, 0, 128, 44100, 417},  {3, 3, 9, 0, 1, 128, 44100, 418},
        {3, 3, 14, 1, 0, 320, 48000, 960}, {3, 1, 12, 1, 0, 384, 48000, 384},
        {3, 1, 12, 1, 1, 384, 48000, 388}, {3, 2, 14, 2, 0, 384, 32000, 1728},
        {2, 1, 14, 2, 0, 256, 16000, 768}, {2, 2, 14, 1, 0, 160, 24000, 960},
        {2, 3, 8, 0, 0, 64, 22050, 208},   {0, 3, 1, 2, 0, 8, 8000, 72},
        {0, 2, 14, 2, 0, 160, 8000, 2880}, {0, 3, 5, 1, 1, 40, 12000, 241},
    };
    for (const Case &c : cases) {
        const auto h = TMPEGAudio::decode(
            word(mpegHeader(c.version, c.layer, c.bitRateIndex, c.rateIndex, c.padding)));
        ASSERT_TRUE(h) << c.version << ' ' << c.layer;
        EXPECT_EQ(h->bitRate, c.bitRate);
        EXPECT_EQ(h->sampleRate, c.sampleRate);
        EXPECT_EQ(h->frameLength, c.length) << c.version << ' ' << c.layer << ' ' << c.bitRate;
    }
    EXPECT_FALSE(TMPEGAudio::decode(word(mpegHeader(1, 3, 9, 0))));  // reserved version
    EXPECT_FALSE(TMPEGAudio::decode(word(mpegHeader(3, 3, 0, 0))));  // free format
    EXPECT_FALSE(TMPEGAudio::decode(word(mpegHeader(3, 3, 15, 0)))); // bad index
    EXPECT_FALSE(TMPEGAudio::decode(word(mpegHeader(3, 3, 9, 3))));  // reserved rate
    EXPECT_FALSE(TMPEGAudio::decode(0xFFF99000u));                   // layer 0
    EXPECT_FALSE(TMPEGAudio::decode(0xFFDB9000u));                   // sync one bit short
}

TEST(TMPEGAudio, FirstFrameAfterATagAndItsBitRate)
{
    const QByteArray tagBytes = tag(3, 0, frame23("TIT2", latin1Text("x")), 1000);
    TMPEGAudio::Result r = scanBytes(tagBytes + cbr128(3));
    EXPECT_EQ(r.outcome, Outcome::Found);
    EXPECT_EQ(r.offset, tagBytes.size());
    EXPECT_EQ(r.bitRate, 128);
}

namespace {

// Picture bytes holding a false pair of 96 kbit/s headers one frame length (313) apart.
QByteArray pictureWithFalseFrames()
{
    const QByteArray h96 = mpegHeader(3, 3, 7, 0);
    return "\xFF\xD8\xFF\xE0" + QByteArray(20, 'j') + mpegFrame(h96, 313) + h96 +
           QByteArray(200, 'p');
}

QByteArray xingStream()
{
    const QByteArray h = mpegHeader(3, 3, 9, 0);
    return mpegFrame(h, 417, 36) + mpegFrame(h, 417) + mpegFrame(h, 417);
}

} // namespace

TEST(TMPEGAudio, TheScanJumpsOverTagsWhoseBytesLookLikeFrames)
{
    // Without the jump the false pair inside the tag reads as a fixed 96 kbit/s.
    const QByteArray apic =
        frame23("APIC", QByteArray("\0image/jpeg\0\3\0", 14) + pictureWithFalseFrames());
    const QByteArray tagBytes = tag(3, 0, frame23("TIT2", latin1Text("t")) + apic, 64);
    TMPEGAudio::Result r = scanBytes(tagBytes + xingStream());
    EXPECT_EQ(r.offset, tagBytes.size());
    EXPECT_EQ(r.bitRate, TMPEGAudio::VariableBitRate);

    // Leading junk before the tag, at any block size: the tag is found there and jumped.
    const QByteArray junk = QByteArray(37, '\x11') + "ID" + QByteArray(9, '\x22');
    for (qint64 block : {qint64(5), qint64(64), qint64(4096), TMPEGAudio::DefaultBlockSize}) {
        r = scanBytes(junk + tagBytes + xingStream(), block);
        EXPECT_EQ(r.offset, junk.size() + tagBytes.size()) << block;
        EXPECT_EQ(r.bitRate, TMPEGAudio::VariableBitRate) << block;
    }

    // Two tags in a row (a version 2.4 one with its footer after a 2.3 one).
    QByteArray v24 = tag(4, 0x10, frame24("APIC", pictureWithFalseFrames()));
    v24 += "3DI" + v24.sliced(3, 7);
    r = scanBytes(tagBytes + v24 + xingStream());
    EXPECT_EQ(r.offset, tagBytes.size() + v24.size());
    EXPECT_EQ(r.bitRate, TMPEGAudio::VariableBitRate);

    // A tag claiming more bytes than the file has is not trusted: the scan goes through
    // it as through any bytes.
    QByteArray liar = tag(3, 0, QByteArray(20, '\0'));
    liar.replace(6, 4, syncsafe(1 << 20));
    r = scanBytes(liar + cbr128(2));
    EXPECT_EQ(r.offset, liar.size());
    EXPECT_EQ(r.bitRate, 128);
}

TEST(TMPEGAudio, TagLengthCountsHeaderBodyAndFooter)
{
    const QByteArray plain = tag(3, 0, QByteArray(100, '\0'));
    EXPECT_EQ(TMPEGAudio::tagLength(plain, 1000), 110);
    EXPECT_EQ(TMPEGAudio::tagLength(tag(4, 0x10, QByteArray(100, '\0')), 1000), 120);
    EXPECT_EQ(TMPEGAudio::tagLength(tag(2, 0, QByteArray(5, '\0')), 1000), 15);
    EXPECT_FALSE(TMPEGAudio::tagLength(plain, 109));          // more than there is
    EXPECT_FALSE(TMPEGAudio::tagLength(tag(5, 0, {}), 1000)); // no such version
    EXPECT_FALSE(TMPEGAudio::tagLength(tag(1, 0, {}), 1000));
    QByteArray notSyncsafe = plain;
    notSyncsafe[8] = char(0x80);
    EXPECT_FALSE(TMPEGAudio::tagLength(notSyncsafe, 1000));
    EXPECT_FALSE(TMPEGAudio::tagLength(plain.first(9), 1000));
}

TEST(TMPEGAudio, VbriHeaderMeansAVariableBitRate)
{
    for (const QByteArray &h : {mpegHeader(3, 3, 9, 0), mpegHeader(3, 3, 9, 0, 0, true)}) {
        const TMPEGAudio::Result r = scanBytes(
            mpegFrame(h, 417, TMPEGAudio::VbriOffset).replace(36, 4, "VBRI") + mpegFrame(h, 417));
        EXPECT_EQ(r.bitRate, TMPEGAudio::VariableBitRate);
    }
    const QByteArray h2 = mpegHeader(2, 3, 8, 0);
    QByteArray first = mpegFrame(h2, 208);
    first.replace(TMPEGAudio::VbriOffset, 4, "VBRI");
    EXPECT_EQ(scanBytes(first + mpegFrame(h2, 208)).bitRate, TMPEGAudio::VariableBitRate);
    // "VBRI" elsewhere in the frame is no header.
    first = mpegFrame(h2, 208);
    first.replace(TMPEGAudio::VbriOffset + 2, 4, "VBRI");
    EXPECT_EQ(scanBytes(first + mpegFrame(h2, 208)).bitRate, 64);
}

TEST(TMPEGAudio, XingMarkAtTheOffsetOfEachKindOfFrame)
{
    struct Case {
        int version;
        bool mono;
        int rateIndex, length, xingAt;
    };
    const Case cases[] = {{3, false, 0, 417, 36},
                          {3, true, 0, 417, 21},
                          {2, false, 0, 208, 21},
                          {2, true, 0, 208, 13}};
    for (const Case &c : cases) {
        const int index = c.version == 3 ? 9 : 8;
        const QByteArray h = mpegHeader(c.version, 3, index, c.rateIndex, 0, c.mono);
        TMPEGAudio::Result r = scanBytes(mpegFrame(h, c.length, c.xingAt) + mpegFrame(h, c.length));
        EXPECT_EQ(r.bitRate, TMPEGAudio::VariableBitRate) << c.version << c.mono;
        // The mark one byte off is no Xing header.
        r = scanBytes(mpegFrame(h, c.length, c.xingAt + 1) + mpegFrame(h, c.length));
        EXPECT_EQ(r.bitRate, c.version == 3 ? 128 : 64);
    }
}

TEST(TMPEGAudio, RejectedCandidateIsRescannedFromTheNextByte)
{
    // A 192 kbit/s header in the tag's padding, whose second header would lie 626 bytes
    // on, in zeros; the real stream starts 14 bytes after it, inside that false frame.
    const QByteArray before = tag(3, 0, QByteArray(), 40);
    const QByteArray file = before + mpegHeader(3, 3, 11, 0) + QByteArray(10, '\0') + cbr128(4);
    const TMPEGAudio::Result r = scanBytes(file);
    EXPECT_EQ(r.outcome, Outcome::Found);
    EXPECT_EQ(r.offset, before.size() + 14);
    EXPECT_EQ(r.bitRate, 128);
}

TEST(TMPEGAudio, NoAcceptedFrameGivesNoFrame)
{
    const QByteArray one = cbr128(1);
    EXPECT_EQ(scanBytes(one).outcome, Outcome::NoFrame);                // no second header
    EXPECT_EQ(scanBytes(one + one.first(3)).outcome, Outcome::NoFrame); // cut second header
    EXPECT_EQ(scanBytes(one + one.first(4)).outcome, Outcome::Found);   // just enough
    EXPECT_EQ(scanBytes(one.first(5)).outcome, Outcome::NoFrame);       // 5 bytes or fewer
    EXPECT_EQ(scanBytes(QByteArray()).outcome, Outcome::NoFrame);
    EXPECT_EQ(scanBytes(QByteArray(100000, '\xFF')).outcome, Outcome::NoFrame);
}

TEST(TMPEGAudio, BlockScanGivesTheResultsOfTheByteByByteScan)
{
    // Files dense with sync bytes and header-like bytes, so that candidates, their
    // second headers and Xing marks fall on every kind of block seam.
    std::mt19937 random(4242);
    const char alphabet[] = {'\xFF', '\xFF', '\xFB', '\xF3', '\xE2', '\x90', '\x50',
                             '\x00', 'X',    'i',    'n',    'g',    '\xC4', '\x14'};
    int found = 0;
    for (int file = 0; file < 300; ++file) {
        QByteArray bytes;
        const int length = int(random() % 3000);
        for (int i = 0; i < length; ++i)
            bytes.append(alphabet[random() % sizeof alphabet]);
        if (file % 3 == 0) // plant a real pair of frames somewhere
            bytes.insert(qsizetype(random() % (bytes.size() + 1)),
                         mpegFrame(mpegHeader(2, 3, 1, 2, 0, true), 36, 13) +
                             mpegHeader(2, 3, 1, 2));
        if (file % 4 == 1) // and a tag, with or without a footer, holding such a pair
            bytes.insert(qsizetype(random() % (bytes.size() + 1)),
                         tag(file % 8 == 1 ? 4 : 3, file % 8 == 1 ? 0x10 : 0,
                             mpegFrame(mpegHeader(2, 3, 1, 2), 36) + mpegHeader(2, 3, 1, 2),
                             int(random() % 40)));
        const TMPEGAudio::Result expected = referenceScan(bytes);
        found += expected.outcome == Outcome::Found;
        for (qint64 block : {1, 2, 3, 4, 5, 7, 64, 333, 4096}) {
            const TMPEGAudio::Result r = scanBytes(bytes, block);
            ASSERT_EQ(r.outcome, expected.outcome) << file << " block " << block;
            ASSERT_EQ(r.offset, expected.offset) << file << " block " << block;
            ASSERT_EQ(r.bitRate, expected.bitRate) << file << " block " << block;
        }
    }
    EXPECT_GE(found, 100); // the comparison saw many accepted frames, not only misses
}

TEST(TMPEGAudio, ReadsLargeBlocksAndReportsFailures)
{
    TestSource frameless(QByteArray(1 << 20, '\0'));
    EXPECT_EQ(TMPEGAudio(frameless).scan().outcome, Outcome::NoFrame);
    EXPECT_LE(frameless.reads, (1 << 20) / TMPEGAudio::DefaultBlockSize + 1);

    TestSource failing(QByteArray(1 << 20, '\0'), 2);
    EXPECT_EQ(TMPEGAudio(failing).scan().outcome, Outcome::ReadError);

    std::stop_source stop;
    stop.request_stop();
    TestSource any(cbr128(2));
    EXPECT_EQ(TMPEGAudio(any).scan(stop.get_token()).outcome, Outcome::Cancelled);
}
