#include "TrackFileWriter.h"

#include "media/MemoryByteSource.h"
#include "media/TID3Engine.h"

#include <gtest/gtest.h>

using namespace TrackFileWriter;

namespace {

TrackTags readTags(const QByteArray &file)
{
    MemoryByteSource source(file);
    return TID3Engine(source).read();
}

// A cover picture whose size, read as a syncsafe number, points into its own data.
QByteArray bigPicture()
{
    QByteArray picture(200 * 1000, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = char((i * 7) % 251);
    return '\0' + QByteArray("image/jpeg") + '\0' + '\3' + '\0' + picture;
}

QByteArray audio() { return cbr128(3); }

} // namespace

TEST(TID3Engine, TitleAndArtistAfterALargePictureInEachVersion)
{
    const QByteArray v23 =
        tag(3, 0,
            frame23("APIC", bigPicture()) + frame23("TIT2", latin1Text("Title")) +
                frame23("TPE1", latin1Text("Artist")),
            512);
    TrackTags t = readTags(v23 + audio());
    EXPECT_EQ(t.title, "Title");
    EXPECT_EQ(t.artist, "Artist");

    const QByteArray v24 =
        tag(4, 0,
            frame24("APIC", bigPicture()) + frame24("TIT2", utf8Text("Title 4")) +
                frame24("TPE1", utf8Text("Artist 4")));
    t = readTags(v24 + audio());
    EXPECT_EQ(t.title, "Title 4");
    EXPECT_EQ(t.artist, "Artist 4");

    // Version 2.4 tags whose writer stored plain sizes: the reading after which the
    // next frame follows wins.
    const QByteArray plainIn24 =
        tag(4, 0,
            frame23("APIC", bigPicture()) + frame23("TIT2", latin1Text("Plain")) +
                frame23("TPE1", latin1Text("Sizes")),
            100);
    t = readTags(plainIn24 + audio());
    EXPECT_EQ(t.title, "Plain");
    EXPECT_EQ(t.artist, "Sizes");
}

TEST(TID3Engine, TextEncodingsAndTheirTerminators)
{
    const auto title = [](const QByteArray &data) {
        return readTags(tag(3, 0, frame23("TIT2", data))).title;
    };
    // 'A' then U+0100: in little-endian the bytes 41 00 00 01 hold a zero pair that is
    // not a terminator because it straddles two code units.
    const QString tricky = QStringLiteral("A\u0100 Caf\u00e9 \u03a9");
    EXPECT_EQ(title(utf16Text(tricky, false)), tricky);
    EXPECT_EQ(title(utf16Text(tricky, true)), tricky);
    EXPECT_EQ(title(utf16BeText(tricky)), tricky);
    EXPECT_EQ(title(utf8Text(tricky)), tricky);
    EXPECT_EQ(title(latin1Text(QStringLiteral("Caf\u00e9"))), QStringLiteral("Caf\u00e9"));
    // The first string ends at its terminator: a second string and an odd byte are ignored.
    EXPECT_EQ(title(utf16Text("One", false) + QByteArray(2, '\0') + QByteArray("T\0w\0o\0", 6)),
              "One");
    EXPECT_EQ(title(utf16Text("Odd", true) + QByteArray(1, 'x')), "Odd");
    EXPECT_EQ(title(utf8Text("First") + '\0' + "Second"), "First");
    EXPECT_EQ(title(latin1Text("First") + '\0' + "Second"), "First");
    // Spaces and control characters are trimmed at both ends; a UTF-8 mark is dropped.
    EXPECT_EQ(title(latin1Text(" \t\x01 Trim me \r\n")), "Trim me");
    EXPECT_EQ(title('\3' + QByteArray("\xEF\xBB\xBFMarked")), "Marked");
    // No byte-order mark after encoding 1: big-endian.
    EXPECT_EQ(title('\1' + QByteArray("\0N\0o", 4)), "No");
    EXPECT_EQ(title(QByteArray()), "");
    EXPECT_EQ(title(QByteArray(1, '\1')), "");
}

TEST(TID3Engine, CompressedFramesAreInflatedWithinALimit)
{
    const QByteArray text = latin1Text("Squeezed");
    const QByteArray v23 =
        tag(3, 0,
            frame23("TIT2", bigEndian(quint32(text.size()), 4) + compress(text), 0x80) +
                frame23("TPE1", latin1Text("Plain")));
    TrackTags t = readTags(v23);
    EXPECT_EQ(t.title, "Squeezed");
    EXPECT_EQ(t.artist, "Plain");

    // Version 2.4: compressed with a data-length indicator, inside a group.
    const QByteArray v24 =
        tag(4, 0, frame24("TPE1", '\x07' + syncsafe(quint32(text.size())) + compress(text), 0x49));
    EXPECT_EQ(readTags(v24).artist, "Squeezed");

    // Inflating past 1 MiB, broken or cut-off data: the frame is skipped, the next kept.
    const QByteArray bomb = compress(latin1Text(QString(2 << 20, 'x')));
    const QByteArray broken = "\x78\x9C garbage";
    const QByteArray cut = compress(text).chopped(4);
    for (const QByteArray &bad : {bomb, broken, cut}) {
        t = readTags(tag(3, 0,
                         frame23("TIT2", QByteArray(4, '\0') + bad, 0x80) +
                             frame23("TPE1", latin1Text("Next"))));
        EXPECT_EQ(t.title, "");
        EXPECT_EQ(t.artist, "Next");
    }
    // An encrypted frame can't be read and is passed over.
    t = readTags(tag(3, 0,
                     frame23("TIT2", '\x80' + latin1Text("Secret"), 0x40) +
                         frame23("TPE1", latin1Text("Open"))));
    EXPECT_EQ(t.title, "");
    EXPECT_EQ(t.artist, "Open");
}

TEST(TID3Engine, UnsynchronisationIsUndoneBeforeFramesAreRead)
{
    // Version 2.3: the whole body is unsynchronised. A frame of 0x1FF bytes has the size
    // bytes 00 00 01 FF followed by a zero flag byte, so the writer inserts a zero there;
    // unless it is taken out again the next frame is not found.
    const QByteArray filler = '\0' + QByteArray(0x1FE, '\xFF');
    const QByteArray body = frame23("COMM", filler) +
                            frame23("TIT2", QByteArray("\0\xFF\xE0y", 4)) +
                            frame23("TPE1", latin1Text("Sync"));
    TrackTags t = readTags(tag(3, 0x80, unsynchronise(body)));
    EXPECT_EQ(t.title, QString::fromLatin1("\xFF\xE0y"));
    EXPECT_EQ(t.artist, "Sync");

    // Only the first zero after each 0xFF goes; a writer's output comes back whole.
    EXPECT_EQ(TID3Engine::resynchronise(QByteArray("\xFF\0\0\xFF\xFF\0\xE0\xFF", 8)),
              QByteArray("\xFF\0\xFF\xFF\xE0\xFF", 6));
    QByteArray noisy;
    for (int i = 0; i < 4096; ++i)
        noisy.append(char(i % 3 == 0 ? 0xFF : (i * 37) % 256));
    EXPECT_EQ(TID3Engine::resynchronise(unsynchronise(noisy)), noisy);

    // Version 2.4: per frame, by the frame's flag or by the tag's.
    const QByteArray data = QByteArray("\0\xFF\xE0z", 4);
    const QByteArray escaped = unsynchronise(data);
    ASSERT_NE(escaped.size(), data.size());
    t = readTags(tag(4, 0, frame24("TIT2", escaped, 0x02) + frame24("TPE1", latin1Text("Four"))));
    EXPECT_EQ(t.title, QString::fromLatin1("\xFF\xE0z"));
    EXPECT_EQ(t.artist, "Four");
    t = readTags(tag(4, 0x80, frame24("TPE1", escaped)));
    EXPECT_EQ(t.artist, QString::fromLatin1("\xFF\xE0z"));
}

TEST(TID3Engine, Version22AndVersion1)
{
    TrackTags t = readTags(tag(2, 0,
                               frame22("PIC", QByteArray(300, 'p')) +
                                   frame22("TT2", latin1Text("Old title")) +
                                   frame22("TP1", latin1Text("Old artist"))) +
                           audio());
    EXPECT_EQ(t.title, "Old title");
    EXPECT_EQ(t.artist, "Old artist");

    // Only a version 1 tag: fields cut at their first zero byte and trimmed.
    t = readTags(audio() + v1("  V1 title ", QByteArray("V1 artist\0junk", 14)));
    EXPECT_EQ(t.title, "V1 title");
    EXPECT_EQ(t.artist, "V1 artist");
    // Full 30-character fields.
    t = readTags(audio() + v1(QByteArray(30, 'T'), QByteArray(30, 'A')));
    EXPECT_EQ(t.title, QString(30, 'T'));
    EXPECT_EQ(t.artist, QString(30, 'A'));

    // A version 2 tag without either text, or a version 2.2 tag with its undefined
    // compression: the version 1 tag is consulted.
    const QByteArray tail = v1("Fallback", "Band");
    t = readTags(tag(3, 0, frame23("TALB", latin1Text("Album"))) + audio() + tail);
    EXPECT_EQ(t.title, "Fallback");
    t = readTags(tag(2, 0x40, frame22("TT2", latin1Text("Hidden"))) + audio() + tail);
    EXPECT_EQ(t.title, "Fallback");
    // A version 2 title alone is enough: no artist is taken from version 1.
    t = readTags(tag(3, 0, frame23("TIT2", latin1Text("Only"))) + audio() + tail);
    EXPECT_EQ(t.title, "Only");
    EXPECT_EQ(t.artist, "");
}

TEST(TID3Engine, FrameListEndsAtBadIdentifiersAndPadding)
{
    TrackTags t =
        readTags(tag(3, 0,
                     frame23("TIT2", latin1Text("Kept")) + frame23("TpE1", latin1Text("Lower")) +
                         frame23("TPE1", latin1Text("Unreached"))));
    EXPECT_EQ(t.title, "Kept");
    EXPECT_EQ(t.artist, "");
    t = readTags(tag(3, 0, frame23("TIT2", latin1Text("Kept")), 64) +
                 frame23("TPE1", latin1Text("Outside")));
    EXPECT_EQ(t.artist, "");
    // The first frame of each kind counts.
    t = readTags(
        tag(4, 0, frame24("TIT2", latin1Text("First")) + frame24("TIT2", latin1Text("Second"))));
    EXPECT_EQ(t.title, "First");
}

TEST(TID3Engine, SizesFromTheFileAreNotTrusted)
{
    const QByteArray good = frame23("TIT2", latin1Text("Good"));
    // A frame claiming more than the tag holds ends the list; what came before stays.
    QByteArray huge = frame23("TPE1", latin1Text("x"));
    huge.replace(4, 4, QByteArray("\x7F\xFF\xFF\xFF", 4));
    TrackTags t = readTags(tag(3, 0, good + huge));
    EXPECT_EQ(t.title, "Good");
    EXPECT_EQ(t.artist, "");

    // A tag size beyond the file: the frames that are there are read, nothing beyond.
    QByteArray cutTag = tag(3, 0, good + frame23("TPE1", latin1Text("Truncated")));
    cutTag.replace(6, 4, syncsafe(0x0FFFFFFF));
    t = readTags(cutTag.chopped(3));
    EXPECT_EQ(t.title, "Good");
    EXPECT_EQ(t.artist, "");

    // Extended headers: a plain size in 2.3 (not counting itself), a syncsafe one in 2.4
    // (counting itself).
    const QByteArray ext23 = bigEndian(6, 4) + QByteArray(6, '\0');
    EXPECT_EQ(readTags(tag(3, 0x40, ext23 + good)).title, "Good");
    const QByteArray ext24 = syncsafe(6) + '\1' + '\0';
    EXPECT_EQ(readTags(tag(4, 0x40, ext24 + frame24("TIT2", latin1Text("Good")))).title, "Good");

    // Files that end inside the header or the first frame header; unknown versions.
    const QByteArray whole = tag(3, 0, good);
    for (qsizetype n = 0; n < 24; ++n)
        EXPECT_EQ(readTags(whole.first(n)).title, "") << n;
    EXPECT_EQ(readTags(tag(5, 0, good)).title, "");
    EXPECT_EQ(readTags(tag(1, 0, good)).title, "");
}

TEST(TID3Engine, AnExtendedHeaderThatCannotBeThereLeavesTheFramesRightAfterTheTagHeader)
{
    // The flag is set but no extended header was written: its "size" is the first frame's
    // identifier, far more than the tag holds, or not syncsafe in version 2.4.
    const QByteArray frames23 =
        frame23("TIT2", latin1Text("Flagged")) + frame23("TPE1", latin1Text("Writer"));
    TrackTags t = readTags(tag(3, 0x40, frames23, 32) + audio());
    EXPECT_EQ(t.title, "Flagged");
    EXPECT_EQ(t.artist, "Writer");
    const QByteArray frames24 =
        frame24("TIT2", latin1Text("Flagged")) + frame24("TPE1", latin1Text("Writer"));
    t = readTags(tag(4, 0x40, frames24, 32));
    EXPECT_EQ(t.title, "Flagged");
    EXPECT_EQ(t.artist, "Writer");
    // A size within the tag but with a high bit set is no version 2.4 size.
    const QByteArray notSyncsafe = QByteArray("\x00\x00\x80\x06", 4) + '\1' + '\0';
    EXPECT_EQ(readTags(tag(4, 0x40, notSyncsafe + frames24)).title, "");
    // A real extended header that claims more than the tag in version 2.3: the frames
    // are looked for after the tag header, where the extended header's bytes stand.
    EXPECT_EQ(readTags(tag(3, 0x40, bigEndian(0x7FFFFFF0, 4) + frames23)).title, "");
}

namespace {

std::optional<EmbeddedPicture> coverOf(const QByteArray &file)
{
    MemoryByteSource source(file);
    return TID3Engine(source).cover();
}

QByteArray apic(int type, const QByteArray &data, char encoding = 0,
                const QByteArray &description = "d")
{
    const QByteArray end =
        encoding == 1 || encoding == 2 ? QByteArray(2, '\0') : QByteArray(1, '\0');
    return QByteArray(1, encoding) + "image/png" + '\0' + char(type) + description + end + data;
}

} // namespace

TEST(TID3Engine, CoverIsTheFrontPictureElseTheFirst)
{
    const QByteArray back = apic(4, "BACK");
    const QByteArray front = apic(3, "FRONT", 1,
                                  QByteArray("\xFF\xFE"
                                             "d\0",
                                             4));
    const QByteArray other = apic(0, "OTHER", 3, "\xC3\xA9");
    auto c = coverOf(tag(3, 0, frame23("APIC", back) + frame23("APIC", front), 32) + audio());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->type, 3);
    EXPECT_EQ(c->data, "FRONT");
    c = coverOf(tag(4, 0, frame24("APIC", other) + frame24("APIC", back)));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->data, "OTHER");
    // Version 2.2: PIC with a three-letter image format.
    c = coverOf(tag(2, 0, frame22("PIC", QByteArray("\0JPG\3desc\0", 10) + "OLD")));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->type, 3);
    EXPECT_EQ(c->data, "OLD");
    // An unsynchronised version 2.3 tag, and a version 2.4 frame of its own.
    c = coverOf(tag(3, 0x80, unsynchronise(frame23("APIC", apic(3, "\xFF\xE0\xFF")))));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->data, "\xFF\xE0\xFF");
    c = coverOf(tag(4, 0, frame24("APIC", unsynchronise(apic(3, "\xFF\xE0")), 0x02)));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->data, "\xFF\xE0");

    // None: no tag, no picture, a picture frame cut short, one with no picture bytes.
    EXPECT_FALSE(coverOf(audio()));
    EXPECT_FALSE(coverOf(tag(3, 0, frame23("TIT2", latin1Text("t")))));
    EXPECT_FALSE(coverOf(tag(3, 0, frame23("APIC", QByteArray("\0image/png", 10)))));
    EXPECT_FALSE(coverOf(tag(3, 0, frame23("APIC", apic(3, {})))));
    EXPECT_FALSE(TID3Engine::parsePicture(QByteArray("\1image/png\0\3\xFF\xFE"
                                                     "d",
                                                     15),
                                          false));
}

TEST(TID3Engine, PicturesOverEightMegabytesArePassedOver)
{
    const QByteArray huge(int(TID3Engine::MaxPicture) + 1, 'H');
    auto c = coverOf(tag(4, 0, frame24("APIC", apic(3, huge)) + frame24("APIC", apic(0, "ok"))));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->data, "ok");
    const QByteArray largest(int(TID3Engine::MaxPicture), 'L');
    c = coverOf(tag(4, 0, frame24("APIC", apic(3, largest))));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->data.size(), TID3Engine::MaxPicture);
}
