#include "media/Favourites.h"
#include "media/FavouriteCopy.h"
#include "support/ScriptedAudioPlayer.h"

#include "NoFileOverride.h"
#include "NowPlayingFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {

class FavouritesCopy : public ::testing::Test, public NowPlayingFixture {
protected:
    QString favourites() const { return music() + "/$  Favourites"; }
    QString favourite(const QString &name) const { return favourites() + "/" + name; }
    QByteArray read(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString message() const { return view().InfoMessage->text(); }
    bool infoShown() const { return !view().InfoPanel->isHidden(); }

    // Plays a track and presses C on "Copy to Favourites" in the options panel.
    void copy(const QString &track)
    {
        if (form->audio().fileName() != track)
            playing().PlayMP3File(track, false);
        playing().Image3Click();
        if (options().isHidden())
            key('C');
        options().focus().focus(options().Panel3);
        // Straight to the dispatcher: a key click runs the event loop afterwards, which
        // could deliver the copy's result before the first message is looked at.
        quint16 c = 'C';
        form->dispatcher().FormKeyDown(c);
    }
    // Waits for the copy on its worker thread.
    bool copied()
    {
        QSignalSpy spy(&playing().favourites(), &Favourites::copyFinished);
        if (!playing().favourites().busy())
            return false;
        return spy.wait(20000) && spy.first().first().toBool();
    }
    QStringList favouriteFiles() const
    {
        return QDir(favourites()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

} // namespace

TEST_F(FavouritesCopy, CopiesTrackAndCoverIntoADirectoryItCreates)
{
    const QString song = musicDir.write("Album/song.mp3", "first version");
    musicDir.write("Album/folder.jpg", "folder picture");
    musicDir.write("Album/cover.jpg", "cover picture");
    start();
    ASSERT_FALSE(QFileInfo::exists(favourites()));

    copy(song);
    // The first message shows at once, before the copy ends.
    EXPECT_EQ(message(), "Copy working...please wait");
    EXPECT_TRUE(infoShown());
    ASSERT_TRUE(copied());
    EXPECT_EQ(message(), "File and cover.jpg copied to favourites ");
    EXPECT_TRUE(infoShown());
    EXPECT_TRUE(options().MP3OptionsPanelDisappearTimer().isActive());
    EXPECT_EQ(read(favourite("song.mp3")), "first version");
    EXPECT_EQ(read(favourite("song.jpg")), "cover picture");
    EXPECT_EQ(favouriteFiles(), (QStringList{"song.jpg", "song.mp3"}));

    // Copied again: the track is replaced, its picture stays.
    musicDir.write("Album/song.mp3", "second version");
    musicDir.write("Album/cover.jpg", "another cover");
    copy(song);
    ASSERT_TRUE(copied());
    EXPECT_EQ(read(favourite("song.mp3")), "second version");
    EXPECT_EQ(read(favourite("song.jpg")), "cover picture");
    EXPECT_EQ(favouriteFiles(), (QStringList{"song.jpg", "song.mp3"}));

    // The information panel hides 10 s after the last message.
    QTimer &hide = playing().favourites().InfoPanel_DisappearTimer();
    EXPECT_TRUE(hide.isActive());
    EXPECT_EQ(hide.interval(), 10000);
    playing().favourites().InfoPanel_DisappearTimerTimer();
    EXPECT_FALSE(infoShown());
    EXPECT_FALSE(hide.isActive());
}

TEST_F(FavouritesCopy, WithoutAPictureTheMessageHasTwoBlanks)
{
    const QString song = musicDir.write("Loose/track.mp3", "bytes");
    start();
    copy(song);
    ASSERT_TRUE(copied());
    EXPECT_EQ(message(), "File  copied to favourites ");
    EXPECT_EQ(favouriteFiles(), QStringList{"track.mp3"});
}

TEST_F(FavouritesCopy, AFavouriteIsNotCopiedOntoItself)
{
    const QString own = musicDir.write("$  Favourites/fav.mp3", "precious");
    start();
    copy(own);
    EXPECT_EQ(message(), "File can not be copied onto itself");
    EXPECT_FALSE(playing().favourites().busy());
    EXPECT_EQ(read(own), "precious");
    EXPECT_TRUE(playing().favourites().InfoPanel_DisappearTimer().isActive());
    // Reached through another spelling of the same path, it is still the same file.
    copy(music() + "/./$  Favourites/../$  Favourites/fav.mp3");
    EXPECT_EQ(message(), "File can not be copied onto itself");
    EXPECT_EQ(read(own), "precious");
}

TEST_F(FavouritesCopy, AFailedCopyKeepsTheEarlierFavourite)
{
    const QString song = musicDir.write("Album/song.mp3", "old favourite");
    start();
    copy(song);
    ASSERT_TRUE(copied());

    // The favourites directory can't be written: the copy fails and the old copy stays.
    musicDir.write("Album/song.mp3", "new version");
    ASSERT_EQ(::chmod(QFile::encodeName(favourites()).constData(), 0555), 0);
    {
        NoFileOverride asUser;
        copy(song);
        EXPECT_EQ(message(), "Copy working...please wait");
        EXPECT_FALSE(copied());
    }
    ::chmod(QFile::encodeName(favourites()).constData(), 0755);
    EXPECT_EQ(message(), "Copy failed - File open or disk full ? :-) !");
    EXPECT_EQ(read(favourite("song.mp3")), "old favourite");
    EXPECT_EQ(favouriteFiles(), QStringList{"song.mp3"});

    // The source is gone: the same failure, the favourite still there.
    QFile::remove(song);
    copy(song);
    EXPECT_FALSE(copied());
    EXPECT_EQ(message(), "Copy failed - File open or disk full ? :-) !");
    EXPECT_EQ(read(favourite("song.mp3")), "old favourite");
}

TEST_F(FavouritesCopy, CopyStoppedHalfWayLeavesNoTrace)
{
    TempDir favs;
    const QString source = musicDir.write("big.mp3", QByteArray(3 << 20, 'b'));
    const QString target = favs.write("big.mp3", "earlier");
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(FavouriteCopy::copyFile(source, target, true, stop.get_token()));
    EXPECT_EQ(favs.read("big.mp3"), "earlier");
    EXPECT_EQ(QDir(favs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"big.mp3"});
    // Without replace an existing file is never touched.
    EXPECT_FALSE(FavouriteCopy::copyFile(source, target, false));
    EXPECT_TRUE(FavouriteCopy::copyFile(source, target, true));
    EXPECT_EQ(QFileInfo(target).size(), 3 << 20);
}
