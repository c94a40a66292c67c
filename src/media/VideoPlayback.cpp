#include "media/VideoPlayback.h"

#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "core/Guarded.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "media/MovieOptionsPanel.h"
#include "media/VideoCodecTag.h"
#include "media/VideoListScreen.h"
#include "platform/SoundPlayer.h"
#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

#include <QFileInfo>
#include <QLabel>

#include <cmath>

namespace {

const QString TitlePlaying = QStringLiteral("Video playing");
const QString TitleList = QStringLiteral("Select Video");
constexpr int ForwardKeys = 400;
constexpr int FineKeys = 1000;

QString twoDigits(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString minutesSeconds(double seconds)
{
    const qint64 whole = std::isfinite(seconds) && seconds > 0 ? qint64(seconds) : 0;
    return twoDigits(whole / 60) + QLatin1Char(':') + twoDigits(whole % 60);
}

} // namespace

VideoPlayback::VideoPlayback(Window w, QObject *parent)
    : QObject(parent), m_screens(w.screens), m_sound(w.sound), m_player(w.player),
      m_programDir(w.programDir), m_window(w.window), m_pageArea(w.pageArea), m_cpuBar(w.cpuBar),
      m_list(w.list)
{
    m_moviePanel = m_player.createDisplay(m_window);
    m_moviePanel->setGeometry(WindowedPanel);
    buildOverlay();
    m_options = new MovieOptionsPanel(
        m_player, {w.brightnessKnob, w.brightnessLabel},
        {[this] { Panel30Click(); }, [this] { Panel27Click(); }, [this] { Panel26Click(); },
         [this] { Panel25Click(); }, [this] { Panel28Click(); },
         [this] { MovieOptionsPanelDisappearTimer.start(OptionsHideMs); },
         [this] {
             MediaLabelClick();
         }},
        m_window);
    buildErrorPanel();

    MovieOptionsPanelDisappearTimer.setInterval(OptionsHideMs);
    Movie_progress_onstage_timer.setInterval(OverlayHideMs);
    VideErrorPanelDisappearTimer.setInterval(ErrorHideMs);
    connect(&MovieOptionsPanelDisappearTimer, &QTimer::timeout, this,
            &VideoPlayback::MovieOptionsPanelDisappearTimerTimer);
    connect(&Movie_progress_onstage_timer, &QTimer::timeout, this,
            &VideoPlayback::Movie_progress_onstage_timerTimer);
    connect(&VideErrorPanelDisappearTimer, &QTimer::timeout, this,
            &VideoPlayback::VideErrorPanelDisappearTimerTimer);

    m_player.setNotifications({[this](VideoPlayer::OpenState s) { ActiveMovie1OpenStateChange(s); },
                               [this](double seconds) { ActiveMovie1PositionChange(seconds); },
                               [this](int code, const QString &message) {
                                   ActiveMovie1Error(code, message);
                               }});
    HideVideo();
}

void VideoPlayback::buildOverlay()
{
    Movie_progress_onstage = new QLabel(m_moviePanel);
    Movie_progress_onstage->setObjectName(QStringLiteral("Movie_progress_onstage"));
    Movie_progress_onstage->setGeometry(40, 40, 330, 56);
    Movie_progress_onstage->setFont(SkinFont::points(SkinFont::Narrow, 28, true));
    Movie_progress_onstage->setAlignment(Qt::AlignCenter);
    Movie_progress_onstage->setAutoFillBackground(true);
    Movie_progress_onstage->hide();
}

void VideoPlayback::buildErrorPanel()
{
    VideErrorPanel = new QWidget(m_window);
    VideErrorPanel->setObjectName(QStringLiteral("VideErrorPanel"));
    VideErrorPanel->setAutoFillBackground(true);
    // Centred on the page area.
    QRect area(QPoint(), QSize(640, 110));
    area.moveCenter(m_pageArea.center());
    VideErrorPanel->setGeometry(area);
    auto *heading = new QLabel(QStringLiteral("Video error"), VideErrorPanel);
    heading->setGeometry(15, 5, 610, 40);
    heading->setFont(SkinFont::points(SkinFont::Narrow, 20, true));
    VideoErrorLabel = new QLabel(VideErrorPanel);
    VideoErrorLabel->setGeometry(15, 45, 610, 55);
    VideoErrorLabel->setFont(SkinFont::points(SkinFont::Narrow, 24));
    VideoErrorLabel->setWordWrap(true);
    VideErrorPanel->hide();
}

void VideoPlayback::registerColours(ColourScheme &colours)
{
    using Role = ColourScheme::Role;
    colours.add(Movie_progress_onstage, Role::AccentText);
    colours.add(Movie_progress_onstage, Role::Background);
    colours.add(VideErrorPanel, Role::AccentBackground);
    for (QObject *child : VideErrorPanel->children())
        if (auto *label = qobject_cast<QLabel *>(child))
            colours.add(label, Role::TextOnAccent);
    m_options->registerColours(colours);
}

// --- times -----------------------------------------------------------------------------

QString VideoPlayback::totalTimeText(double seconds) { return minutesSeconds(seconds); }

QString VideoPlayback::positionText(double seconds, const QString &total)
{
    return QLatin1Char(' ') + minutesSeconds(seconds) + QStringLiteral("..") + total;
}

// --- the video list --------------------------------------------------------------------

QString VideoPlayback::ReadVideoType(const QString &path)
{
    return VideoCodecTag::ReadVideoType(path);
}

void VideoPlayback::HideErrorPanel()
{
    VideErrorPanelDisappearTimer.stop();
    VideErrorPanel->hide();
}

void VideoPlayback::playSound(const QString &name)
{
    Guarded::run([&] { m_sound.play(m_programDir + name); });
}

void VideoPlayback::PlayVideoFile(const QString &path)
{
    if (m_player.openState() != VideoPlayer::OpenState::Closed)
        Guarded::run([this] { m_player.stop(); });
    const QString loading = QStringLiteral(" loading...");
    m_options->MovieTime->setText(loading);
    Movie_progress_onstage->setText(loading);
    m_player.open(path);
    m_options->Panel26->setText(QStringLiteral("Pause"));
    m_paused = false;
    m_playing = true;
    m_options->Panel28->setText(QStringLiteral("Full"));
    playSound(QStringLiteral("movie.wav"));

    m_screens.setTitle(TitlePlaying);
    m_screens.showScreen(Screen::Video_Play);
    ShowVideoWindowed();

    const QString type = m_list.videoType();
    m_options->MovieName->setText(QFileInfo(path).fileName());
    m_options->MovieCodec->setText(type);
    m_options->DivXLogo->setVisible(VideoCodecTag::isDivX(type));
    m_options->XviDLogo->setVisible(VideoCodecTag::isXviD(type));
}

// --- layouts ---------------------------------------------------------------------------

// The options and error panels stay above the picture.
void VideoPlayback::raisePanels()
{
    m_moviePanel->raise();
    m_options->raise();
    VideErrorPanel->raise();
}

void VideoPlayback::ShowVideoWindowed()
{
    m_moviePanel->setGeometry(WindowedPanel);
    m_cpuBar->show();
    Movie_progress_onstage->move(40, 40);
    // The Full entry offers what the panel is not: also after a speed-camera alert that
    // ends a full-window picture in a windowed one.
    m_options->Panel28->setText(QStringLiteral("Full"));
    m_moviePanel->show();
    raisePanels();
}

void VideoPlayback::ShowVideoFullScreen()
{
    m_cpuBar->hide();
    m_moviePanel->hide();
    m_moviePanel->setGeometry(m_window->rect());
    m_options->Panel28->setText(QStringLiteral("Normal"));
    m_moviePanel->show();
    Movie_progress_onstage->move(40, 40);
    raisePanels();
}

void VideoPlayback::HideVideo()
{
    m_moviePanel->hide();
    m_cpuBar->show();
    Movie_progress_onstage->hide();
}

// --- keys while the film shows ---------------------------------------------------------

void VideoPlayback::skip(int direction, int divisor)
{
    const double length = m_player.duration();
    // A film whose length the service doesn't know has no steps (and no end to stop at).
    if (m_player.openState() == VideoPlayer::OpenState::Open && length > 0) {
        const double target = m_player.position() + direction * length / divisor;
        m_player.setPosition(std::clamp(target, 0.0, length));
    }
    showOverlay();
}

void VideoPlayback::showOverlay()
{
    Movie_progress_onstage->show();
    Movie_progress_onstage->raise();
    Movie_progress_onstage_timer.start(OverlayHideMs);
}

void VideoPlayback::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::R:
        skip(+1, ForwardKeys);
        break;
    case CommandKey::L:
        skip(-1, ForwardKeys);
        break;
    case CommandKey::T:
        skip(+1, FineKeys);
        break;
    case CommandKey::Z:
        skip(-1, FineKeys);
        break;
    case CommandKey::C:
        Button19Click();
        break;
    case CommandKey::Q:
        m_screens.Button5Click();
        break;
    default:
        break;
    }
}

// --- the options panel -----------------------------------------------------------------

void VideoPlayback::Button19Click()
{
    m_options->show();
    m_options->raise();
    m_options->focusShow();
    MovieOptionsPanelDisappearTimer.start(OptionsHideMs);
}

void VideoPlayback::MovieOptionsPanelDisappearTimerTimer()
{
    m_options->hide();
    MovieOptionsPanelDisappearTimer.stop();
    m_options->endZoomEdit();
}

void VideoPlayback::Movie_progress_onstage_timerTimer()
{
    Movie_progress_onstage_timer.stop();
    Movie_progress_onstage->hide();
}

void VideoPlayback::Panel30Click()
{
    m_options->Panel28->setText(QStringLiteral("Full"));
    Movie_progress_onstage->hide();
    m_screens.Button5Click();
    m_options->hide();
}

void VideoPlayback::Panel27Click() { m_options->hide(); }

// As Main, but to the media choice; "Video" there brings the film back.
void VideoPlayback::MediaLabelClick()
{
    m_options->Panel28->setText(QStringLiteral("Full"));
    MovieOptionsPanelDisappearTimerTimer();
    HideVideo();
    m_screens.ComandPanelTopLeftClick();
}

void VideoPlayback::Panel26Click()
{
    MovieOptionsPanelDisappearTimer.start(OptionsHideMs);
    if (m_paused) {
        m_player.play();
        m_paused = false;
        m_options->Panel26->setText(QStringLiteral("Pause"));
        Movie_progress_onstage->setText(QStringLiteral("Loading..."));
    } else {
        m_player.pause();
        m_paused = true;
        m_options->Panel26->setText(QStringLiteral("Resume"));
    }
}

void VideoPlayback::Panel25Click()
{
    playSound(QStringLiteral("EndMovie.wav"));
    endFilm();
}

void VideoPlayback::endFilm()
{
    Movie_progress_onstage->hide();
    HideVideo();
    MovieOptionsPanelDisappearTimer.stop();
    Guarded::run([this] {
        m_player.stop();
        m_player.close();
    });
    m_playing = false;
    MovieOptionsPanelDisappearTimerTimer();
    m_screens.setTitle(TitleList);
    // The list screen places its own selection marker.
    m_screens.showScreen(Screen::Vide_select);
}

void VideoPlayback::Panel28Click()
{
    if (m_options->Panel28->text() == QStringLiteral("Normal")) {
        ShowVideoWindowed();
    } else if (m_options->Panel28->text() == QStringLiteral("Full")) {
        ShowVideoFullScreen();
        m_moviePanel->update();
        // Makes the service lay the picture out again for the new size.
        m_player.setZoom(m_player.zoom() + 10);
        m_player.setZoom(m_player.zoom() - 10);
    }
    m_options->focusShow();
}

// --- the media choice ------------------------------------------------------------------

void VideoPlayback::Panel87Click()
{
    if (m_playing) {
        m_screens.setTitle(TitlePlaying);
        m_screens.showScreen(Screen::Video_Play);
        ShowVideoWindowed();
        return;
    }
    m_screens.setTitle(TitleList);
    m_screens.showScreen(Screen::Vide_select);
}

// --- the service's events --------------------------------------------------------------

void VideoPlayback::ActiveMovie1OpenStateChange(VideoPlayer::OpenState state)
{
    if (state == VideoPlayer::OpenState::Open)
        m_totalTime = totalTimeText(m_player.duration());
}

void VideoPlayback::ActiveMovie1PositionChange(double seconds)
{
    const QString text = positionText(seconds, m_totalTime);
    if (text == m_options->MovieTime->text())
        return;
    m_options->MovieTime->setText(text);
    Movie_progress_onstage->setText(text);
}

void VideoPlayback::ActiveMovie1Error(int, const QString &message)
{
    VideoErrorLabel->setText(QLatin1Char(' ') + message);
    VideErrorPanel->show();
    VideErrorPanel->raise();
    VideErrorPanelDisappearTimer.start(ErrorHideMs);
    endFilm();
}

void VideoPlayback::VideErrorPanelDisappearTimerTimer()
{
    VideErrorPanel->hide();
    VideErrorPanelDisappearTimer.stop();
}
