// The screenshots show the program directory and its mirror as a neutral directory, and
// the window gets its real texts back after each picture.
#include "NeutralPaths.h"
#include "widgets/ScrollingText.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

TEST(NeutralPathsTest, BuildPathsBecomeTheNeutralDirectoryForOnePictureOnly)
{
    NeutralPaths paths({"/work/main/build/demo", "/tmp/qt-mirror/", "/work/main/build/demo/"},
                       "/home/driver/Rovana/");
    EXPECT_EQ(paths.neutral("/work/main/build/demo/music/a.mp3"),
              "/home/driver/Rovana/music/a.mp3");
    EXPECT_EQ(paths.neutral("Rovana path is /tmp/qt-mirror/"),
              "Rovana path is /home/driver/Rovana/");
    EXPECT_EQ(paths.neutral("/work/main/build/demo"), "/home/driver/Rovana");
    EXPECT_EQ(paths.neutral("/work/main/build/demonstration"), "/work/main/build/demonstration");
    EXPECT_EQ(paths.neutral("No Music playing"), "No Music playing");

    QWidget window;
    auto *label = new QLabel("/tmp/qt-mirror/Audi A8.jpg", &window);
    auto *field = new QLineEdit("/work/main/build/demo/music", &window);
    auto *memo = new QPlainTextEdit("Rovana path is /tmp/qt-mirror/\nSystem running", &window);
    auto *line = new ScrollingText(&window);
    line->setText("/work/main/build/demo/music/$  Favourites/a.mp3");
    auto *plain = new QLabel("Select MP3", &window);

    paths.apply(window);
    EXPECT_EQ(label->text(), "/home/driver/Rovana/Audi A8.jpg");
    EXPECT_EQ(field->text(), "/home/driver/Rovana/music");
    EXPECT_EQ(memo->toPlainText(), "Rovana path is /home/driver/Rovana/\nSystem running");
    EXPECT_EQ(line->text(), "/home/driver/Rovana/music/$  Favourites/a.mp3");
    EXPECT_EQ(plain->text(), "Select MP3");

    paths.restore();
    EXPECT_EQ(label->text(), "/tmp/qt-mirror/Audi A8.jpg");
    EXPECT_EQ(field->text(), "/work/main/build/demo/music");
    EXPECT_EQ(memo->toPlainText(), "Rovana path is /tmp/qt-mirror/\nSystem running");
    EXPECT_EQ(line->text(), "/work/main/build/demo/music/$  Favourites/a.mp3");
}
