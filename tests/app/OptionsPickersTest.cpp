#include "app/OptionsScreen.h"
#include "app/PathChooser.h"
#include "app/TForm1.h"
#include "media/Mp3Directory.h"
#include "media/TAUDIListbox.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Answers the choosers with prepared paths and remembers what they were asked.
class ScriptedChooser : public PathChooser {
public:
    QString directory;
    QString file;
    QStringList asked;

    QString chooseDirectory(const QString &start) override
    {
        asked << "dir " + start;
        return directory;
    }
    QString chooseFile(const QString &start, const QString &filter) override
    {
        asked << "file " + start + " " + filter;
        return file;
    }
};

class PickersTest : public ::testing::Test {
protected:
    void start()
    {
        auto owned = std::make_unique<ScriptedChooser>();
        chooser = owned.get();
        Services services;
        services.chooser = std::move(owned);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
    }
    OptionsScreen &options() { return *form->options(); }

    TempDir dir;
    ScriptedChooser *chooser = nullptr;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(PickersTest, AChosenMusicDirectoryFillsTheFieldAndPointsTheList)
{
    start();
    const QString music = dir.path() + "picked";
    ASSERT_TRUE(QDir().mkpath(music + "/Album"));
    chooser->directory = music;
    const QString before = options().Mp3PathEdit->text();

    options().Button13->click();

    EXPECT_EQ(chooser->asked, QStringList{"dir " + before});
    EXPECT_EQ(options().Mp3PathEdit->text(), music);
    EXPECT_TRUE(form->mp3Directory()->MP3Listbox().items().contains(QString::fromUtf8("»  Album")));
}

TEST_F(PickersTest, CancellingAChooserChangesNothing)
{
    start();
    const QString mp3 = options().Mp3PathEdit->text();
    const QString movie = options().MoviePathEdit->text();
    const QString log = options().LogPathEdit->text();
    const QString bitmap = options().Mp3BitmapEdit->text();

    for (QPushButton *b :
         {options().Button13, options().Button14, options().Button15, options().Button26})
        b->click();

    EXPECT_EQ(chooser->asked.size(), 4);
    EXPECT_EQ(options().Mp3PathEdit->text(), mp3);
    EXPECT_EQ(options().MoviePathEdit->text(), movie);
    EXPECT_EQ(options().LogPathEdit->text(), log);
    EXPECT_EQ(options().Mp3BitmapEdit->text(), bitmap);
}

TEST_F(PickersTest, TheDriversLogDirectoryOnlyFillsItsField)
{
    start();
    chooser->directory = "/media/stick/log";
    options().Button26->click();
    EXPECT_EQ(options().LogPathEdit->text(), "/media/stick/log");
}

TEST_F(PickersTest, APickedBitmapBecomesTheNowPlayingPictureAndItsThumbnail)
{
    start();
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString file = dir.path() + "back.bmp";
    ASSERT_TRUE(red.save(file, "BMP"));
    chooser->file = file;

    options().Button15->click();

    ASSERT_EQ(chooser->asked.size(), 1);
    EXPECT_TRUE(chooser->asked[0].endsWith("Bitmaps (*.bmp *.BMP)"));
    EXPECT_EQ(options().Mp3BitmapEdit->text(), file);
    const QImage thumb = options().Mp3BitmapThumb->pixmap().toImage();
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(QColor(thumb.pixel(thumb.width() / 2, thumb.height() / 2)), QColor(Qt::red));
}

TEST_F(PickersTest, APictureThatWontLoadKeepsTheFieldAndTheOldPicture)
{
    start();
    const QImage before = options().Mp3BitmapThumb->pixmap().toImage();
    chooser->file = dir.path() + "missing.bmp";
    options().Button15->click();
    EXPECT_EQ(options().Mp3BitmapEdit->text(), dir.path() + "missing.bmp");
    EXPECT_EQ(options().Mp3BitmapThumb->pixmap().toImage(), before);
}
