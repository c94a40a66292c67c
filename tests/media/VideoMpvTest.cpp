#include "core/CommandKey.h"
#include "platform/MpvVideoPlayer.h"
#include "support/AviWriter.h"
#include "widgets/PanelButton.h"

#include "VideoFixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QOpenGLWidget>
#include <QRegularExpression>
#include <QTest>

namespace {

using State = VideoPlayer::OpenState;
using Play = VideoPlayer::PlayState;

// Generous: the machine may be busy, and the sanitizers slow libmpv's threads too.
constexpr int Bound = 30000;

MpvVideoPlayer::Options quiet() { return {"null", "null"}; }

AviWriter::Film seconds(int length, int framesPerSecond = 10)
{
    AviWriter::Film film;
    film.framesPerSecond = framesPerSecond;
    film.frames = length * framesPerSecond;
    return film;
}

// The real player on libmpv without picture or sound, in the whole window.
class VideoMpvTest : public ::testing::Test, public VideoFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AviWriter::write(videoDir.file("film.avi"), seconds(20)));
        videoDir.write("broken.avi", QByteArray(4096, 'x'));
        videoDir.write("gone.avi", QByteArray(4096, 'x'));
        player = start(std::make_unique<MpvVideoPlayer>(quiet()));
        ASSERT_TRUE(player->isValid());
    }
    static bool waitFor(const std::function<bool()> &condition)
    {
        return QTest::qWaitFor(condition, Bound);
    }
    void playFilm()
    {
        open("film.avi");
        ASSERT_TRUE(waitFor([&] { return player->openState() == State::Open; }));
    }
    // A key straight into the dispatcher: unlike a window event, no event loop runs after
    // it, so the service's next notification can't come before the test looks.
    void dispatch(quint16 key) { form->dispatcher().FormKeyDown(key); }
    void openNow(const QString &entry)
    {
        TAUDIListbox &list = form->videoList()->VideoListBox();
        list.setItemIndex(int(list.items().indexOf(entry)));
        dispatch(CommandKey::C);
    }
    // Runs an entry of the options panel as the knob does.
    void option(PanelButton *entry)
    {
        key('C');
        panel().focus().focus(entry);
        key('C');
    }

    MpvVideoPlayer *player = nullptr;
};

} // namespace

TEST_F(VideoMpvTest, OpenGivesTheLengthAndThePositionFollows)
{
    openNow("film.avi");
    EXPECT_EQ(timeField(), " loading...");
    EXPECT_EQ(player->fileName(), videos() + "/film.avi");
    ASSERT_TRUE(waitFor([&] { return video().totalTime() == "00:20"; }));
    EXPECT_DOUBLE_EQ(player->duration(), 20);
    ASSERT_TRUE(waitFor([&] { return timeField() == " 00:01..00:20"; }))
        << timeField().toStdString();
    EXPECT_EQ(overlay(), timeField());
    EXPECT_EQ(player->playState(), Play::Playing);
    EXPECT_GE(player->position(), 1.0);
}

// The exact bounds are the fake service's test; here the real one is taken to both ends
// and the film must stay open there.
TEST_F(VideoMpvTest, SkipsEndAtTheEndsAndTheFilmStaysOpen)
{
    playFilm();
    player->setPosition(19.99);
    key('R');
    // The last frame starts a tenth of a second before the end.
    const QRegularExpression atTheEnd(QStringLiteral("^ 00:(19|20)\\.\\.00:20$"));
    ASSERT_TRUE(waitFor([&] { return atTheEnd.match(timeField()).hasMatch(); }))
        << timeField().toStdString();
    keys("RT");
    EXPECT_LE(player->position(), 20);
    // The end of the film changes nothing: it stays open on the video screen.
    EXPECT_EQ(player->openState(), State::Open);
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Video_Play);
    EXPECT_TRUE(video().videoPlaying());

    option(panel().Panel26); // pause, so that the start stays the start
    key('C');                // Show: the panel goes, the keys skip again
    player->setPosition(0.02);
    keys("LZ");
    ASSERT_TRUE(waitFor([&] { return !player->isSeeking(); }));
    EXPECT_EQ(player->position(), 0);
    EXPECT_EQ(timeField(), " 00:00..00:20");
    EXPECT_EQ(player->openState(), State::Open);
    EXPECT_TRUE(video().Movie_progress_onstage->isVisible());
}

TEST_F(VideoMpvTest, PauseThenResumeShowsLoadingUntilThePositionMoves)
{
    playFilm();
    option(panel().Panel26);
    EXPECT_EQ(panel().Panel26->text(), "Resume");
    EXPECT_EQ(player->playState(), Play::Paused);
    panel().focus().focus(panel().Panel26);
    dispatch(CommandKey::C);
    EXPECT_EQ(panel().Panel26->text(), "Pause");
    EXPECT_EQ(player->playState(), Play::Playing);
    EXPECT_EQ(overlay(), "Loading...");
    ASSERT_TRUE(waitFor([&] { return overlay() != "Loading..."; }));
    EXPECT_TRUE(overlay().startsWith(" 00:")) << overlay().toStdString();
}

TEST_F(VideoMpvTest, StopClosesTheFilmAndShowsTheList)
{
    playFilm();
    option(panel().Panel25);
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");
    EXPECT_EQ(player->openState(), State::Closed);
    EXPECT_EQ(player->fileName(), "");
    EXPECT_EQ(player->duration(), 0);
    EXPECT_EQ(sounds->played().last(), "play " + programDir.path() + "EndMovie.wav");
    EXPECT_FALSE(video().VideErrorPanel->isVisible());
}

TEST_F(VideoMpvTest, UnreadableFilesShowTheServicesTextAndTheList)
{
    open("broken.avi");
    ASSERT_TRUE(waitFor([&] { return video().VideErrorPanel->isVisible(); }));
    EXPECT_EQ(video().VideoErrorLabel->text(), " unrecognized file format");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
    EXPECT_EQ(form->navigator().title(), "Select Video");
    EXPECT_FALSE(video().videoPlaying());
    EXPECT_FALSE(video().moviePanel()->isVisible());

    ASSERT_TRUE(QFile::remove(videoDir.file("gone.avi"))); // listed, then removed
    openNow("gone.avi");
    EXPECT_FALSE(video().VideErrorPanel->isVisible());
    ASSERT_TRUE(waitFor([&] { return video().VideErrorPanel->isVisible(); }));
    EXPECT_EQ(video().VideoErrorLabel->text(), " loading failed");
    EXPECT_EQ(form->navigator().activeScreen(), Screen::Vide_select);
}

TEST(MpvVideoPlayerTest, StatesZoomAndAReplacedFilm)
{
    TempDir dir;
    ASSERT_TRUE(AviWriter::write(dir.file("long.avi"), seconds(20)));
    AviWriter::Film jpeg = seconds(4, 5); // the demo films' kind
    jpeg.jpeg = true;
    ASSERT_TRUE(AviWriter::write(dir.file("short.avi"), jpeg));
    MpvVideoPlayer player(quiet());
    ASSERT_TRUE(player.isValid());
    QWidget parent;
    QWidget *display = player.createDisplay(&parent);
    EXPECT_EQ(player.createDisplay(&parent), display);
    EXPECT_TRUE(display->isHidden());

    EXPECT_EQ(player.openState(), State::Closed);
    EXPECT_EQ(player.playState(), Play::Stopped);
    player.setPosition(5);
    EXPECT_EQ(player.position(), 0);

    EXPECT_EQ(player.zoom(), 100);
    player.setZoom(0);
    player.setZoom(-20);
    EXPECT_EQ(player.zoom(), 100);
    player.setZoom(40);
    EXPECT_EQ(player.zoom(), 40);
    player.setDisplaySize(VideoPlayer::DisplaySize::Custom);
    EXPECT_EQ(player.displaySize(), VideoPlayer::DisplaySize::Custom);

    std::vector<State> states;
    std::vector<QString> errors;
    player.setNotifications({[&](State s) { states.push_back(s); },
                             {},
                             [&](int, const QString &m) {
                                 errors.push_back(m);
                             }});
    // The first film is replaced before it has opened: only the second one counts.
    player.open(dir.file("long.avi"));
    EXPECT_EQ(player.openState(), State::Loading);
    player.open(dir.file("short.avi"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.openState() == State::Open; }, Bound));
    EXPECT_DOUBLE_EQ(player.duration(), 4);
    EXPECT_EQ(states, std::vector<State>{State::Open});
    EXPECT_EQ(player.playState(), Play::Playing);

    player.stop();
    EXPECT_EQ(player.playState(), Play::Stopped);
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(player.openState(), State::Open);
    player.play();
    EXPECT_EQ(player.playState(), Play::Playing);
    player.close();
    EXPECT_EQ(player.openState(), State::Closed);
    EXPECT_EQ(player.fileName(), "");
    // A film asked for after a pause starts by itself.
    player.open(dir.file("long.avi"));
    player.pause();
    player.open(dir.file("short.avi"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.position() > 0.5; }, Bound))
        << int(player.openState()) << " " << int(player.playState()) << " " << player.position();
    EXPECT_TRUE(errors.empty());
}

// The program's own player where the platform has no OpenGL (the tests' offscreen
// platform has none): the movie panel is a plain black widget, the window paints, and
// a film still opens, with sound only.
TEST(VideoWithoutOpenGl, FilmsPlayWithSoundOnlyAndTheWindowStaysUp)
{
    VideoFixture fixture;
    ASSERT_TRUE(AviWriter::write(fixture.videoDir.file("film.avi"), seconds(5)));
    MpvVideoPlayer *player =
        fixture.start(std::make_unique<MpvVideoPlayer>(MpvVideoPlayer::Options{"libmpv", "null"}));
    ASSERT_TRUE(player->isValid());
    QWidget *panel = fixture.video().moviePanel();
    EXPECT_EQ(qobject_cast<QOpenGLWidget *>(panel), nullptr);
    fixture.open("film.avi");
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->openState() == State::Open; }, Bound));
    EXPECT_TRUE(panel->isVisible());
    fixture.form->repaint();
    EXPECT_EQ(
        fixture.form->grab().toImage().pixelColor(panel->mapTo(fixture.form.get(), QPoint(5, 5))),
        QColor(Qt::black));
}
