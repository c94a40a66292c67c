#include "media/NowPlaying.h"

#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "media/CoverSearch.h"
#include "media/Favourites.h"
#include "media/Mp3Directory.h"
#include "media/Mp3OptionsPanel.h"
#include "media/NowPlayingScreen.h"
#include "media/TAUDIListbox.h"
#include "media/TrackInfo.h"
#include "platform/AudioPlayer.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/PictureView.h"
#include "widgets/ScrollingText.h"
#include "widgets/SelectionMarker.h"
#include "widgets/StatusSymbol.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

#include <algorithm>
#include <climits>
#include <exception>
#include <utility>

namespace {

// Reads a picture no larger than needed for a box: JPEG decoding then skips most of the
// work for a large cover.
QPixmap loadFitted(const QString &path, const QSize &box)
{
    QImageReader reader(path);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > box.width() || full.height() > box.height()))
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
    return QPixmap::fromImage(reader.read());
}

QString twoDigits(qint64 value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

} // namespace

NowPlaying::NowPlaying(Parts parts, QWidget *page)
    : QObject(page), m_screens(parts.screens), m_marker(parts.marker), m_list(parts.list),
      m_player(parts.player), m_starsDir(parts.programDir + QStringLiteral("stars/")),
      m_screen(new NowPlayingScreen(parts.screens, parts.marker, page))
{
    m_favourites = new Favourites({[this] { return m_player.fileName(); }, std::move(parts.mp3Path),
                                   [this] {
                                       MP3OptionsPanel()->restartHideTimer();
                                   }},
                                  m_screen->InfoPanel, m_screen->InfoMessage, this);
    MP3OptionsPanel()->setActions(
        {[this] { Panel11Click(); }, [this] { Panel19Click(); }, [this] { Panel2Click(); },
         [this] { Panel12Click(); }, [this] { Panel13Click(); },
         [this] { m_favourites->Panel3Click(); }, [this] { Panel4Click(); },
         [this] {
             Panel20Click();
         }});

    m_timer.setInterval(UpdateMs);
    connect(&m_timer, &QTimer::timeout, this, &NowPlaying::MP3TimerTimer);
    m_switchTimer.setInterval(SwitchMs);
    connect(&m_switchTimer, &QTimer::timeout, this, &NowPlaying::SwitchToNowPlayingTimerTimer);
    connect(&m_coverProbe, &CoverProbe::finished, this, &NowPlaying::embeddedCoverRead);
    connect(&m_probe, &BitRateProbe::finished, this,
            [this](const QString &path, const QString &text) {
                if (path == m_bitRatePath)
                    m_screen->MP3BitRate->setText(text);
            });

    const std::pair<PanelButton *, void (NowPlaying::*)()> targets[] = {
        {m_screen->PreviousTarget, &NowPlaying::BitBtn2Click},
        {m_screen->BackTarget, &NowPlaying::Button8Click},
        {m_screen->ForwardTarget, &NowPlaying::Button7Click},
        {m_screen->NextTarget, &NowPlaying::Button9Click},
        {m_screen->ListTarget, &NowPlaying::Panel11Click}};
    for (const auto &[button, action] : targets)
        connect(button, &PanelButton::clicked, this, action);
    connect(m_screen->OptionsTarget, &PanelButton::clicked, MP3OptionsPanel(),
            &Mp3OptionsPanel::open);

    m_screen->MP3_scroller->setText(NoMusic);
    m_stars = CoverSearch::starPictures(m_starsDir);
}

NowPlaying::~NowPlaying() = default;

Mp3OptionsPanel *NowPlaying::MP3OptionsPanel() const { return m_screen->MP3OptionsPanel; }

QString NowPlaying::timeText(qint64 positionMs, qint64 lengthMs)
{
    return QLatin1Char(' ') + twoDigits(positionMs / 60000) + QLatin1Char(':') +
           twoDigits(positionMs / 1000 % 60) + QStringLiteral("..") + twoDigits(lengthMs / 60000) +
           QLatin1Char(':') + twoDigits(lengthMs / 1000 % 60);
}

void NowPlaying::ShowBitRate(const QString &path)
{
    // No figure of the previous track while the new one is read.
    m_screen->MP3BitRate->clear();
    m_bitRatePath = path;
    m_probe.start(path);
}

void NowPlaying::setProgressMaximum(qint64 ms)
{
    m_progressMax = ms;
    m_screen->MP3ProgressBar->setMaximum(int(std::clamp<qint64>(ms, 0, INT_MAX)));
}

void NowPlaying::PlayMP3File(const QString &path, bool switchToNowPlaying)
{
    TrackInfo::ShowTrackTags(path, m_screen->MP3Title, m_screen->MP3Artist);
    std::optional<qint64> length;
    if (m_player.open(path) && m_player.play())
        length = m_player.length();
    if (length && *length > 0) {
        setProgressMaximum(*length);
        MP3OptionsPanel()->Panel2->setText(Mp3OptionsPanel::PauseText);
        m_screen->MP3_scroller->setText(path);
        m_screen->MP3_scroller->setScrolling(true);
    } else {
        setProgressMaximum(0);
        m_screen->MP3_scroller->setText(NotPlaying);
    }
    m_progressPos = 0;
    m_screen->MP3ProgressBar->setValue(0);
    m_screen->Mp3StatusIndicator->setText(StatusSymbol::Play);
    m_timer.start();
    m_screen->MP3ProgressBar->show();
    if (switchToNowPlaying)
        m_switchTimer.start();
    showCover(path);
}

// The picture of a track, first match wins: its own picture file, the picture inside its
// tag (read off this thread), then the pictures it shares with others.
void NowPlaying::showCover(const QString &track)
{
    m_coverProbe.cancel();
    try {
        const QString own = CoverSearch::ownPicture(track);
        if (!own.isEmpty()) {
            showPictureFile(own);
            return;
        }
        if (m_shownPicturePath == track)
            return; // its tag's picture shows already
        if (CoverProbe::mayHoldCover(track)) {
            m_coverProbe.start(track, m_screen->PlayMP3Image->size() * 2);
            return;
        }
        showSharedCover(track);
    } catch (const std::exception &) {
    }
}

void NowPlaying::embeddedCoverRead(const QString &track, const QImage &picture)
{
    try {
        if (picture.isNull()) {
            showSharedCover(track);
            return;
        }
        ++m_pictureLoads;
        m_screen->PlayMP3Image->setPixmap(QPixmap::fromImage(picture));
        m_shownPicturePath = track;
    } catch (const std::exception &) {
    }
}

void NowPlaying::showSharedCover(const QString &track)
{
    const QString cover = CoverSearch::sharedPicture(track, m_starsDir, m_stars);
    if (!cover.isEmpty()) {
        showPictureFile(cover);
        return;
    }
    if (m_shownPicturePath != m_defaultPicturePath || m_defaultPicturePath.isEmpty()) {
        m_screen->PlayMP3Image->setPixmap(m_defaultPicture);
        m_shownPicturePath = m_defaultPicturePath;
    }
}

void NowPlaying::showPictureFile(const QString &path)
{
    if (path == m_shownPicturePath)
        return;
    const QPixmap picture = loadFitted(path, m_screen->PlayMP3Image->size() * 2);
    ++m_pictureLoads;
    // A picture that can't be read leaves the screen as it was.
    if (picture.isNull())
        return;
    m_screen->PlayMP3Image->setPixmap(picture);
    m_shownPicturePath = path;
}

bool NowPlaying::setDefaultPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(path))
        return false;
    m_defaultPicture = picture;
    m_defaultPicturePath = path;
    m_screen->PlayMP3Image->setPixmap(picture);
    m_shownPicturePath = path;
    return true;
}

void NowPlaying::MP3TimerTimer()
{
    try {
        const std::optional<qint64> p = m_player.position();
        const std::optional<qint64> n = m_player.length();
        if (!p || !n) {
            m_timer.stop();
            return;
        }
        m_screen->MP3TimeLabel->setText(timeText(*p, *n));
        // A length the player corrects while it plays (an estimate for a file without an
        // index) is taken, so the end is still seen where position and length meet.
        if (m_progressMax != 0 && *n != m_progressMax)
            setProgressMaximum(*n);
        m_progressPos = *p;
        m_screen->MP3ProgressBar->setValue(int(std::clamp<qint64>(*p, 0, INT_MAX)));
        if (m_progressPos == m_progressMax) {
            if (m_randomMode)
                PlayRandomTrack();
            else
                Button9Click();
        }
    } catch (...) {
        m_timer.stop();
    }
}

void NowPlaying::Button7Click()
{
    const std::optional<qint64> p = m_player.position();
    // Outside the track the seek fails and playback goes on where it was.
    if (!p || !m_player.seek(*p + SkipMs))
        return;
    m_player.play();
    m_screen->Mp3StatusIndicator->setText(StatusSymbol::Play);
    MP3TimerTimer();
}

void NowPlaying::Button8Click()
{
    const std::optional<qint64> p = m_player.position();
    if (!p || !m_player.seek(*p - SkipMs))
        return;
    m_player.play();
    m_screen->Mp3StatusIndicator->setText(StatusSymbol::Play);
    MP3TimerTimer();
}

void NowPlaying::stopForSkip(const QString &symbol)
{
    m_player.stop();
    setProgressMaximum(0);
    m_screen->Mp3StatusIndicator->setText(symbol);
    m_timer.stop();
    m_screen->MP3_scroller->setText(NotSelected);
}

void NowPlaying::relocate()
{
    TAUDIListbox &list = m_list.MP3Listbox();
    const int i = int(list.items().indexOf(QFileInfo(m_player.fileName()).fileName()));
    if (i >= 0)
        list.setItemIndex(i);
}

bool NowPlaying::selectedIsPlayable() const
{
    const TAUDIListbox &list = m_list.MP3Listbox();
    return list.itemIndex() >= 0 && !list.selectedIsDirectory() &&
           !QFileInfo(list.selectedPath()).suffix().isEmpty();
}

void NowPlaying::playSelected(bool showBitRate)
{
    const QString path = m_list.MP3Listbox().selectedPath();
    if (showBitRate)
        ShowBitRate(path);
    PlayMP3File(path, false);
}

void NowPlaying::Button9Click()
{
    stopForSkip(StatusSymbol::Stop);
    relocate();
    TAUDIListbox &list = m_list.MP3Listbox();
    const int count = list.count();
    for (int attempt = 0; attempt < NextAttempts && count > 0 && m_progressMax == 0; ++attempt) {
        const int i = list.itemIndex();
        list.setItemIndex(i >= 0 && i < count - 1 ? i + 1 : 0);
        if (selectedIsPlayable())
            playSelected(true);
    }
    followOnList();
}

void NowPlaying::BitBtn2Click()
{
    MP3OptionsPanel()->restartHideTimer();
    stopForSkip(StatusSymbol::Pause);
    relocate();
    TAUDIListbox &list = m_list.MP3Listbox();
    const int count = list.count();
    const int i = list.itemIndex();
    for (int c = i <= 0 ? count - 1 : i - 1; c >= 0 && m_progressMax == 0; --c) {
        list.setItemIndex(c);
        // The bit rate follows the track here too, not only on next.
        if (selectedIsPlayable())
            playSelected(true);
    }
    followOnList();
}

void NowPlaying::followOnList()
{
    // On the list the marker follows the walk; elsewhere it isn't the list's.
    if (m_screens.activeScreen() == Screen::MP3Directory)
        m_list.SetMP3Selector();
}

void NowPlaying::PlayRandomTrack()
{
    m_randomFile.setRandomizeFromHerePath(m_randomRoot);
    m_randomFile.Execute();
    m_randomMode = true;
    const QString file = m_randomFile.FileName();
    if (m_randomFile.FileResult() != 1 || !QFileInfo(file).isFile())
        return;
    ShowBitRate(file);
    PlayMP3File(file, true);
    m_list.MP3Listbox().setDirectory(QFileInfo(file).path());
    m_marker.hide();
}

void NowPlaying::EnableRandomToggle() { MP3OptionsPanel()->enableRandomToggle(); }

void NowPlaying::HideOptionsPanel() { MP3OptionsPanel()->close(); }

void NowPlaying::Image3Click()
{
    m_screens.setTitle(QStringLiteral("MP3 playing"));
    m_screens.showScreen(Screen::MP3Album);
}

void NowPlaying::SwitchToNowPlayingTimerTimer()
{
    m_switchTimer.stop();
    Image3Click();
}

void NowPlaying::showAudio()
{
    if (m_timer.isActive())
        Image3Click();
    else
        m_list.Image2Click();
}

void NowPlaying::Panel11Click()
{
    MP3OptionsPanel()->restartHideTimer();
    m_list.Image2Click();
}

void NowPlaying::Panel19Click() { m_screens.Button5Click(); }

void NowPlaying::Panel2Click()
{
    Mp3OptionsPanel *panel = MP3OptionsPanel();
    panel->restartHideTimer();
    if (panel->Panel2->text() != Mp3OptionsPanel::ResumeText) {
        if (!m_player.pause())
            return;
        panel->Panel2->setText(Mp3OptionsPanel::ResumeText);
        m_screen->Mp3StatusIndicator->setText(StatusSymbol::Pause);
    } else {
        if (!m_player.resume())
            return;
        m_screen->Mp3StatusIndicator->setText(StatusSymbol::Play);
        panel->Panel2->setText(Mp3OptionsPanel::PauseText);
    }
}

void NowPlaying::Panel12Click()
{
    MP3OptionsPanel()->restartHideTimer();
    Button9Click();
}

void NowPlaying::Panel13Click()
{
    MP3OptionsPanel()->restartHideTimer();
    BitBtn2Click();
}

void NowPlaying::Panel4Click()
{
    Mp3OptionsPanel *panel = MP3OptionsPanel();
    panel->Panel9Click();
    panel->restartHideTimer();
    m_player.stop();
    setProgressMaximum(0);
    m_screen->Mp3StatusIndicator->setText(StatusSymbol::Stop);
    m_timer.stop();
    m_screen->MP3_scroller->setText(NotSelected);
    m_screen->MP3_scroller->setScrolling(true);
    m_screen->MP3ProgressBar->hide();
    m_list.Image2Click();
}

void NowPlaying::Panel20Click()
{
    Mp3OptionsPanel *panel = MP3OptionsPanel();
    panel->restartHideTimer();
    if (panel->Panel20->text() != Mp3OptionsPanel::RandomOn) {
        panel->Panel20->setText(Mp3OptionsPanel::RandomOn);
        m_randomMode = true;
        PlayRandomTrack();
        panel->Panel9Click();
    } else {
        panel->Panel20->setText(Mp3OptionsPanel::RandomOff);
        m_randomMode = false;
    }
}

void NowPlaying::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::R:
        Button7Click();
        break;
    case CommandKey::L:
        Button8Click();
        break;
    case CommandKey::T:
        Button9Click();
        break;
    case CommandKey::Z:
        BitBtn2Click();
        break;
    case CommandKey::C:
        MP3OptionsPanel()->open();
        break;
    case CommandKey::Q:
        m_screens.ComandPanelTopLeftClick();
        break;
    default:
        break;
    }
}

void NowPlaying::registerColours(ColourScheme &colours) { m_screen->registerColours(colours); }
