#include "platform/MpvVideoPlayer.h"
#include "support/AviWriter.h"
#include "support/XvfbDisplay.h"

#include "VideoFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QOpenGLWidget>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTest>
#include <QWindow>

// The picture drawn by the real player through OpenGL into the movie panel, on a real X
// display: the test starts a virtual X server and runs the window in a second run of this
// program there (a process has one window system), which saves what the screen shows.

namespace {

const char *const ShotVariable = "ROVANA_VIDEO_SHOT";
constexpr QSize Pattern(320, 160); // the panel's shape, so the picture fills it

// The colour bars at the middle of each bar's upper half, as the window shows them.
QList<QPoint> barCentres()
{
    // Fitted into 800 x 398 at (0, 144): 796 x 398, 2 px in from the left.
    const double scale = 398.0 / Pattern.height();
    const double left = (800 - Pattern.width() * scale) / 2;
    QList<QPoint> points;
    for (int i = 0; i < 8; ++i)
        points << QPoint(int(left + (i + 0.5) * Pattern.width() / 8 * scale), 144 + 120);
    return points;
}

QString withOptions(const QString &shot)
{
    return QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-options.png"));
}

bool near(QRgb actual, QRgb expected)
{
    return qAbs(qRed(actual) - qRed(expected)) < 48 &&
           qAbs(qGreen(actual) - qGreen(expected)) < 48 &&
           qAbs(qBlue(actual) - qBlue(expected)) < 48;
}

} // namespace

// The second run, on the X display: plays the test pattern windowed and saves the screen.
TEST(VideoScreenshotOnX, PlaysTheTestPattern)
{
    const QString out = qEnvironmentVariable(ShotVariable);
    if (out.isEmpty())
        GTEST_SKIP() << "runs only inside VideoScreenshotTest";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    VideoFixture f;
    AviWriter::Film film;
    film.width = Pattern.width();
    film.height = Pattern.height();
    film.framesPerSecond = 10;
    film.frames = 40;
    ASSERT_TRUE(AviWriter::write(f.videoDir.file("pattern.avi"), film));
    MpvVideoPlayer *player =
        f.start(std::make_unique<MpvVideoPlayer>(MpvVideoPlayer::Options{"libmpv", "null"}));
    ASSERT_TRUE(player->isValid());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.form.get(), 30000));
    // OpenGL waits for the first film: until then the window is plain raster.
    EXPECT_TRUE(f.form->findChildren<QOpenGLWidget *>().isEmpty());
    EXPECT_EQ(f.form->windowHandle()->surfaceType(), QSurface::RasterSurface);
    f.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get(), 30000));
    f.open("pattern.avi");
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->position() >= 1.0; }, 60000))
        << int(player->openState());
    // A few more frames drawn and composed onto the screen.
    QTest::qWait(500);
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen->grabWindow(0, 0, 0, 800, 600).save(out));
    // The window Qt made anew for GL composition has the keyboard again.
    EXPECT_EQ(f.form->findChildren<QOpenGLWidget *>().size(), 1);
    EXPECT_TRUE(QTest::qWaitForWindowActive(f.form.get(), 30000));

    // A skip shows the time over the picture; C opens the options above it.
    f.keys("RC");
    QTest::qWait(500);
    ASSERT_TRUE(screen->grabWindow(0, 0, 0, 800, 600).save(withOptions(out)));
}

TEST(VideoScreenshotTest, TheMoviePanelShowsThePicture)
{
    XvfbDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb could not be started";
    TempDir dir;
    const QString shot = dir.file("video.png");

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", QString::fromLatin1(display.name()));
    env.insert(ShotVariable, shot);
    // The GL driver keeps allocations for the life of the process.
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=VideoScreenshotOnX.PlaysTheTestPattern"});
    ASSERT_TRUE(run.waitForFinished(110000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAll().toStdString();

    QImage image(shot);
    ASSERT_FALSE(image.isNull());
    image = image.convertToFormat(QImage::Format_RGB32);
    const QImage options(withOptions(shot));
    ASSERT_FALSE(options.isNull());
    if (const QString keep = qEnvironmentVariable("ROVANA_SHOT_DIR"); !keep.isEmpty()) {
        image.save(QDir(keep).filePath("video-playing.png"));
        options.save(QDir(keep).filePath("video-options.png"));
    }

    // Most of the movie panel is lit (one bar of eight is black).
    const QRect panel(0, 144, 800, 398);
    int lit = 0;
    for (int y = panel.top(); y <= panel.bottom(); y += 2)
        for (int x = panel.left(); x <= panel.right(); x += 2)
            lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, panel.width() * panel.height() / 4 * 6 / 10);

    // And it is the pattern, bar by bar, the right way round.
    const QRgb bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                         0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    const QList<QPoint> centres = barCentres();
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(near(image.pixel(centres[i]), bars[i]))
            << "bar " << i << " at " << centres[i].x() << ": " << std::hex
            << (image.pixel(centres[i]) & 0xFFFFFF);

    // The options panel lies over the picture in the main colour, the time over the
    // picture in the overlay's black.
    EXPECT_TRUE(near(options.pixel(790, 455), 0xCDB899)) << std::hex << options.pixel(790, 455);
    EXPECT_TRUE(near(options.pixel(45, 190), 0x000000)) << std::hex << options.pixel(45, 190);
}
