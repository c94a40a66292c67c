#include "media/VideoCodecTag.h"
#include "media/MemoryByteSource.h"
#include "support/AviWriter.h"
#include "support/RecordingVideoPlayer.h"

#include "VideoFixture.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace {

// Bytes with the given tag at the codec offset.
QByteArray withTag(const QByteArray &tag, int size = 200)
{
    QByteArray bytes(size, 'x');
    bytes.replace(VideoCodecTag::Offset, tag.size(), tag);
    return bytes;
}

QByteArray tagOf(const QByteArray &bytes)
{
    MemoryByteSource source(bytes);
    return VideoCodecTag::ReadVideoCodecTag(source);
}

AviWriter::Film aviWith(const QByteArray &handler)
{
    AviWriter::Film film;
    film.frames = 2;
    film.handler = handler;
    return film;
}

} // namespace

TEST(VideoCodecTagTest, TagAndType)
{
    const QByteArray xvid = AviWriter::bytes(aviWith("xvid"));
    EXPECT_EQ(tagOf(xvid), "xvid");
    EXPECT_EQ(VideoCodecTag::videoType("xvid"), "XVID");
    EXPECT_EQ(VideoCodecTag::videoType("DivX"), "DIVX");
    EXPECT_EQ(VideoCodecTag::videoType("\xFF\xFF\xFF\xFF"), "MPG");
    EXPECT_EQ(VideoCodecTag::videoType("\xFF\xFF\xFF\xFE"), "\u00FF\u00FF\u00FF\u00FE");
    EXPECT_EQ(VideoCodecTag::videoType(""), "MPG");
    EXPECT_EQ(VideoCodecTag::videoType("n/a"), "N/A");
    // Bytes a label can't show are left out; nothing left counts as empty.
    EXPECT_EQ(VideoCodecTag::videoType(QByteArray("a\tb\0", 4)), "AB");
    EXPECT_EQ(VideoCodecTag::videoType(QByteArray(4, '\0')), "MPG");
    // Only ASCII letters change case.
    EXPECT_EQ(VideoCodecTag::videoType("\xE9t\xE9s"), "\u00E9T\u00E9S");

    EXPECT_EQ(tagOf(withTag("\xFF\xFF\xFF\xFF")), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(tagOf(QByteArray(112, 'x')), "");   // nothing at the offset
    EXPECT_EQ(tagOf(QByteArray(114, 'x')), "xx"); // a short file gives what it has
    EXPECT_EQ(tagOf(withTag("DX50", 116)), "DX50");

    EXPECT_TRUE(VideoCodecTag::isDivX("DIV3"));
    EXPECT_TRUE(VideoCodecTag::isDivX("DIVX"));
    EXPECT_FALSE(VideoCodecTag::isDivX("DX50"));
    EXPECT_TRUE(VideoCodecTag::isXviD("XVID"));
    EXPECT_FALSE(VideoCodecTag::isXviD("XVI"));
    EXPECT_FALSE(VideoCodecTag::isXviD("MPG"));
}

TEST(VideoCodecTagTest, FilesThatCantBeReadAreNA)
{
    TempDir dir;
    dir.mkdir("Films");
    EXPECT_EQ(VideoCodecTag::ReadVideoCodecTag(dir.file("Films")), "n/a");
    EXPECT_EQ(VideoCodecTag::ReadVideoType(dir.file("Films")), "N/A");
    EXPECT_EQ(VideoCodecTag::ReadVideoType(dir.file("missing.avi")), "N/A");
    dir.write("m.mpg", withTag("\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(VideoCodecTag::ReadVideoType(dir.file("m.mpg")), "MPG");
}

namespace {

class VideoCodecScreenTest : public ::testing::Test, public VideoFixture {
protected:
    void SetUp() override
    {
        videoDir.mkdir("Films");
        videoDir.write("m.mpg", withTag("\xFF\xFF\xFF\xFF", 4096));
        videoDir.write("x.avi", AviWriter::bytes(aviWith("xvid")));
        videoDir.write("y.avi", AviWriter::bytes(aviWith("divx")));
        start(std::make_unique<RecordingVideoPlayer>());
    }
    QString label() const { return form->videoList()->panel().PositionLabel->text(); }
};

} // namespace

TEST_F(VideoCodecScreenTest, ListLabelCodecFieldAndLogos)
{
    EXPECT_EQ(label(), "1 of 4 N/A"); // the directory entry
    key('L');
    EXPECT_EQ(label(), "2 of 4 MPG");
    key('L');
    EXPECT_EQ(label(), "3 of 4 XVID");
    key('C');
    EXPECT_EQ(panel().MovieCodec->text(), "XVID");
    EXPECT_FALSE(panel().XviDLogo->isHidden());
    EXPECT_TRUE(panel().DivXLogo->isHidden());

    video().Panel25Click();
    key('L');
    EXPECT_EQ(label(), "4 of 4 DIVX");
    key('C');
    EXPECT_EQ(panel().MovieCodec->text(), "DIVX");
    EXPECT_FALSE(panel().DivXLogo->isHidden());
    EXPECT_TRUE(panel().XviDLogo->isHidden());

    video().Panel25Click();
    key('R');
    key('R');
    key('C');
    EXPECT_EQ(panel().MovieCodec->text(), "MPG");
    EXPECT_TRUE(panel().DivXLogo->isHidden());
    EXPECT_TRUE(panel().XviDLogo->isHidden());
}
