#include "media/CoverProbe.h"
#include "media/CoverSearch.h"
#include "support/ScriptedAudioPlayer.h"
#include "widgets/PictureView.h"

#include "NowPlayingFixture.h"
#include "TrackFileWriter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QSignalSpy>

namespace {

QByteArray jpeg(const QColor &colour, QSize size = {40, 30})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

QByteArray bmp(const QColor &colour)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The colour in the middle of a picture, to a JPEG's accuracy.
bool near(const QPixmap &picture, const QColor &colour)
{
    if (picture.isNull())
        return false;
    const QColor c = picture.toImage().pixelColor(picture.width() / 2, picture.height() / 2);
    return qAbs(c.red() - colour.red()) < 24 && qAbs(c.green() - colour.green()) < 24 &&
           qAbs(c.blue() - colour.blue()) < 24;
}

class Covers : public ::testing::Test, public NowPlayingFixture {
protected:
    QString stars() const { return programDir.path() + "stars/"; }
    QPixmap shown() const { return view().PlayMP3Image->pixmap(); }
};

} // namespace

TEST_F(Covers, SearchOrderOwnPictureFolderFrontCoverThenStars)
{
    const QString dir = musicDir.mkdir("Album") + "/";
    const QString song = musicDir.write("Album/song.mp3", "x");
    EXPECT_EQ(CoverSearch::coverFor(song, stars(), {}), QString());
    musicDir.write("Album/cover.jpg", "x");
    EXPECT_EQ(CoverSearch::coverFor(song, stars(), {}), dir + "cover.jpg");
    musicDir.write("Album/front.jpg", "x");
    EXPECT_EQ(CoverSearch::coverFor(song, stars(), {}), dir + "front.jpg");
    // A name that differs only in case is found when the exact one is missing.
    musicDir.write("Album/Folder.JPG", "x");
    EXPECT_EQ(CoverSearch::coverFor(song, stars(), {}), dir + "Folder.JPG");
    musicDir.write("Album/song.jpg", "x");
    EXPECT_EQ(CoverSearch::coverFor(song, stars(), {}), dir + "song.jpg");

    // Stars: every name the upper-cased path contains matches; the last in order wins.
    programDir.write("stars/STAR.jpg", "x");
    programDir.write("stars/tar.jpg", "x");
    programDir.write("stars/Queen.jpg", "x");
    programDir.write("stars/notes.txt", "x");
    const QStringList list = CoverSearch::starPictures(stars());
    EXPECT_EQ(list, (QStringList{"Queen.jpg", "STAR.jpg", "tar.jpg"}));
    const QString starTrack = musicDir.write("Superstar/Lone Star.mp3", "x");
    EXPECT_EQ(CoverSearch::coverFor(starTrack, stars(), list), stars() + "tar.jpg");
    const QString queen = musicDir.write("queen/x.mp3", "x");
    EXPECT_EQ(CoverSearch::coverFor(queen, stars(), list), stars() + "Queen.jpg");

    // Favourites take the last of folder, front, cover.
    EXPECT_EQ(CoverSearch::favouriteCover(dir), dir + "cover.jpg");
    QFile::remove(dir + "cover.jpg");
    EXPECT_EQ(CoverSearch::favouriteCover(dir), dir + "front.jpg");
}

TEST_F(Covers, NowPlayingShowsTheCoverAndLoadsAPictureOnlyWhenItsPathChanges)
{
    programDir.write("Audi Robot MP3.bmp", bmp(Qt::blue));
    musicDir.write("Album/song.mp3", "x");
    musicDir.write("Album/other.mp3", "x");
    musicDir.write("Album/song.jpg", jpeg(Qt::red));
    musicDir.write("Album/folder.jpg", jpeg(Qt::green, {2000, 1500}));
    musicDir.write("Plain/plain.mp3", "x");
    musicDir.write("STAR and TAR/x.mp3", "x");
    programDir.write("stars/STAR.jpg", jpeg(Qt::yellow));
    programDir.write("stars/TAR.jpg", jpeg(Qt::magenta));
    start();
    EXPECT_TRUE(near(shown(), Qt::blue)); // the default picture from the settings
    EXPECT_EQ(playing().starPictures(), (QStringList{"STAR.jpg", "TAR.jpg"}));

    // song.jpg before folder.jpg.
    playing().PlayMP3File(music() + "/Album/song.mp3", false);
    EXPECT_TRUE(near(shown(), Qt::red));
    EXPECT_EQ(playing().shownPicturePath(), music() + "/Album/song.jpg");
    playing().PlayMP3File(music() + "/Album/other.mp3", false);
    EXPECT_TRUE(near(shown(), Qt::green));
    // A large cover is read at the size it is shown at, not more.
    EXPECT_LE(shown().width(), view().PlayMP3Image->width() * 2);

    // The same cover for the next track: not read again, even if the file changed.
    const int loads = playing().pictureLoads();
    musicDir.write("Album/folder.jpg", jpeg(Qt::cyan));
    playing().PlayMP3File(music() + "/Album/other.mp3", false);
    EXPECT_EQ(playing().pictureLoads(), loads);
    EXPECT_TRUE(near(shown(), Qt::green));

    // Both star pictures match; TAR.jpg, the last in order, stays.
    playing().PlayMP3File(music() + "/STAR and TAR/x.mp3", false);
    EXPECT_TRUE(near(shown(), Qt::magenta));
    EXPECT_EQ(playing().shownPicturePath(), programDir.path() + "stars/TAR.jpg");

    // Nothing matches: the default picture, without reading the disk.
    const int before = playing().pictureLoads();
    playing().PlayMP3File(music() + "/Plain/plain.mp3", false);
    EXPECT_TRUE(near(shown(), Qt::blue));
    EXPECT_EQ(playing().shownPicturePath(), programDir.path() + "Audi Robot MP3.bmp");
    EXPECT_EQ(playing().pictureLoads(), before);

    // A picture that can't be read leaves the screen as it was.
    musicDir.write("Broken/broken.mp3", "x");
    musicDir.write("Broken/folder.jpg", "not a picture");
    playing().PlayMP3File(music() + "/Broken/broken.mp3", false);
    EXPECT_TRUE(near(shown(), Qt::blue));
}

namespace {

// A track whose tag carries pictures: each (type, picture bytes) as one APIC frame.
QByteArray taggedTrack(const QList<QPair<int, QByteArray>> &pictures)
{
    using namespace TrackFileWriter;
    QByteArray frames = frame23("TIT2", latin1Text("Tagged"));
    for (const auto &[type, data] : pictures)
        frames += frame23("APIC", QByteArray("\0image/jpeg\0", 12) + char(type) + '\0' + data);
    return tag(3, 0, frames, 64) + cbr128(3);
}

} // namespace

TEST_F(Covers, APictureInTheTagComesAfterTheTracksOwnAndBeforeTheDirectorys)
{
    programDir.write("Audi Robot MP3.bmp", bmp(Qt::blue));
    musicDir.write("Album/folder.jpg", jpeg(Qt::green));
    musicDir.write("Album/front.mp3", taggedTrack({{0, jpeg(Qt::yellow)}, {3, jpeg(Qt::red)}}));
    musicDir.write("Album/first.mp3", taggedTrack({{0, jpeg(Qt::yellow)}, {4, jpeg(Qt::cyan)}}));
    musicDir.write("Album/own.mp3", taggedTrack({{3, jpeg(Qt::red)}}));
    musicDir.write("Album/own.jpg", jpeg(Qt::magenta));
    musicDir.write("Album/plain.mp3", taggedTrack({}));
    start();
    QSignalSpy read(&playing().coverProbe(), &CoverProbe::finished);
    const auto play = [&](const QString &name) {
        playing().PlayMP3File(music() + "/Album/" + name, false);
        // Read off this thread: nothing changes before the answer comes through the loop.
        EXPECT_TRUE(near(shown(), Qt::blue)) << name.toStdString();
        EXPECT_TRUE(read.wait(10000)) << name.toStdString();
    };

    play("front.mp3"); // the front cover, not the first picture
    EXPECT_TRUE(near(shown(), Qt::red));
    EXPECT_EQ(playing().shownPicturePath(), music() + "/Album/front.mp3");
    playing().PlayMP3File(music() + "/Album/own.mp3", false); // its own file, at once
    EXPECT_TRUE(near(shown(), Qt::magenta));
    playing().PlayMP3File(music() + "/Plain/none.mp3", false); // the default again
    EXPECT_TRUE(near(shown(), Qt::blue));
    play("first.mp3"); // no front cover: the first picture
    EXPECT_TRUE(near(shown(), Qt::yellow));
    // The same track again: its picture is not read again.
    const int loads = playing().pictureLoads();
    playing().PlayMP3File(music() + "/Album/first.mp3", false);
    QCoreApplication::processEvents();
    EXPECT_EQ(playing().pictureLoads(), loads);
    EXPECT_TRUE(near(shown(), Qt::yellow));
    playing().PlayMP3File(music() + "/Plain/none.mp3", false);
    play("plain.mp3"); // a tag without a picture: folder.jpg
    EXPECT_TRUE(near(shown(), Qt::green));
}

TEST_F(Covers, PicturesInTheTagAreBounded)
{
    programDir.write("Audi Robot MP3.bmp", bmp(Qt::blue));
    musicDir.write("Album/folder.jpg", jpeg(Qt::green));
    // Over 4096 pixels on a side (few bytes), and over 8 MB.
    musicDir.write("Album/wide.mp3", taggedTrack({{3, jpeg(Qt::red, {4100, 8})}}));
    QByteArray huge = jpeg(Qt::red);
    huge.append(QByteArray(8 << 20, '\0'));
    musicDir.write("Album/huge.mp3", taggedTrack({{3, huge}}));
    musicDir.write("Album/fine.mp3", taggedTrack({{3, jpeg(Qt::red, {4096, 64})}}));
    EXPECT_TRUE(CoverProbe::embeddedCover(music() + "/Album/wide.mp3", {}).isNull());
    EXPECT_TRUE(CoverProbe::embeddedCover(music() + "/Album/huge.mp3", {}).isNull());
    const QImage fine = CoverProbe::embeddedCover(music() + "/Album/fine.mp3", {258, 258});
    EXPECT_EQ(fine.width(), 258); // read at the size it is shown at
    start();
    QSignalSpy read(&playing().coverProbe(), &CoverProbe::finished);
    playing().PlayMP3File(music() + "/Album/wide.mp3", false);
    ASSERT_TRUE(read.wait(10000));
    EXPECT_TRUE(near(shown(), Qt::green));
    EXPECT_EQ(playing().shownPicturePath(), music() + "/Album/folder.jpg");
}
