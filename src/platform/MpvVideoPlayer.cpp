#include "platform/MpvVideoPlayer.h"

#include "platform/MpvRenderWidget.h"

#include <QFileInfo>
#include <QPalette>
#include <QVBoxLayout>
#include <QWidget>

#include <mpv/client.h>

#include <cmath>

namespace {

enum Observed : quint64 { TimePos = 1, Duration, Pause };

MpvHandle::Options playerOptions(const MpvVideoPlayer::Options &o)
{
    MpvHandle::Options options{{"vo", o.videoOutput},
                               {"hwdec", "no"},
                               {"idle", "yes"},
                               {"keep-open", "yes"}, // no rewind, no unloading at the end
                               {"audio-fallback-to-null", "yes"},
                               {"osd-level", "0"},
                               {"input-vo-keyboard", "no"}};
    const MpvHandle::Options off = MpvHandle::unused();
    options.insert(options.end(), off.begin(), off.end());
    if (!o.audioOutput.isEmpty())
        options.emplace_back("ao", o.audioOutput);
    return options;
}

QWidget *blackWidget(QWidget *parent)
{
    auto *display = new QWidget(parent);
    display->setObjectName(QStringLiteral("MoviePanel"));
    display->setAutoFillBackground(true);
    QPalette p = display->palette();
    p.setColor(QPalette::Window, Qt::black);
    display->setPalette(p);
    return display;
}

} // namespace

MpvVideoPlayer::MpvVideoPlayer() : MpvVideoPlayer(Options{}) {}

MpvVideoPlayer::MpvVideoPlayer(Options options)
    : m_options(std::move(options)), m_mpv(MpvHandle::create(playerOptions(m_options)))
{
    if (!m_mpv)
        return;
    mpv_observe_property(m_mpv.get(), TimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv.get(), Duration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv.get(), Pause, "pause", MPV_FORMAT_FLAG);
    // Called on one of mpv's threads: only ask the GUI thread to fetch the events.
    mpv_set_wakeup_callback(
        m_mpv.get(),
        [](void *self) {
            auto *player = static_cast<MpvVideoPlayer *>(self);
            if (!player->m_drainQueued.exchange(true))
                QMetaObject::invokeMethod(
                    player, [player] { player->drainEvents(); }, Qt::QueuedConnection);
        },
        this);
}

MpvVideoPlayer::~MpvVideoPlayer()
{
    if (m_mpv)
        mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
    // The render context lives in the display and must end before mpv does.
    delete m_display.data();
}

QWidget *MpvVideoPlayer::createDisplay(QWidget *parent)
{
    if (m_display)
        return m_display;
    m_display = blackWidget(parent);
    if (!m_mpv || !drawsIntoDisplay()) {
        m_renderChecked = true;
        playUnseen();
    }
    m_display->hide();
    return m_display;
}

// OpenGL waits for the first film: a software rasteriser costs some 80 MB, and the first GL
// widget turns the whole window into a GL-composed one, for a player most drives never use.
void MpvVideoPlayer::attachRenderer()
{
    if (!MpvRenderWidget::openGlAvailable()) {
        // No GL to draw with (a display without GL drivers, the offscreen platform): an
        // OpenGL widget would take the whole window down at its first paint. Films
        // play unseen, with their sound.
        renderReady(false);
        return;
    }
    auto *renderer = new MpvRenderWidget(
        m_mpv.get(), [this](bool ok) { renderReady(ok); }, m_display);
    auto *layout = new QVBoxLayout(m_display);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(renderer);
    renderer->show();
    // Qt makes the window anew for GL composition, and the new one has lost the keyboard
    // focus: the knob's keys would go nowhere.
    if (QWidget *window = m_display->window(); window->isVisible())
        window->activateWindow();
}

void MpvVideoPlayer::renderReady(bool ok)
{
    m_renderChecked = true;
    if (!ok)
        playUnseen();
    if (!m_pending.isEmpty())
        load(std::exchange(m_pending, {}));
}

void MpvVideoPlayer::playUnseen()
{
    // mpv's own output for the program has nothing to draw into without a render
    // context and would fail every film; the null output plays it, sound included.
    if (m_mpv && drawsIntoDisplay())
        mpv_set_property_string(m_mpv.get(), "vo", "null");
}

void MpvVideoPlayer::open(const QString &path)
{
    if (!m_mpv) {
        // Told like any other failure: from the event loop, with mpv's own words.
        QMetaObject::invokeMethod(
            this,
            [this] {
                notifyError(MPV_ERROR_UNINITIALIZED,
                            QString::fromUtf8(mpv_error_string(MPV_ERROR_UNINITIALIZED)));
            },
            Qt::QueuedConnection);
        return;
    }
    m_file = path;
    m_open = OpenState::Loading;
    m_stopped = false;
    m_duration = 0;
    m_position = 0;
    m_seek.reset();
    m_entry = -1;
    // An absolute path: mpv never reads a name as a protocol or an option.
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    // mpv opens video only while a render context exists: the display makes it when it
    // is first shown, which the caller does right after opening.
    if (m_display && !m_renderChecked) {
        m_pending = file;
        if (!m_rendererAttached) {
            m_rendererAttached = true;
            // From the event loop: the window is made anew on the way, and the key or click
            // that opened the film is still being delivered to the old one.
            QMetaObject::invokeMethod(this, &MpvVideoPlayer::attachRenderer, Qt::QueuedConnection);
        }
        return;
    }
    load(file);
}

void MpvVideoPlayer::load(const QByteArray &file)
{
    setPaused(false); // a new film starts by itself, whatever the last one was doing
    if (const std::optional<qint64> id = m_mpv.loadFile(file))
        m_entry = *id;
}

VideoPlayer::PlayState MpvVideoPlayer::playState() const
{
    if (m_open != OpenState::Open || m_stopped)
        return PlayState::Stopped;
    return m_paused ? PlayState::Paused : PlayState::Playing;
}

void MpvVideoPlayer::setPaused(bool paused)
{
    m_paused = paused;
    int flag = paused ? 1 : 0;
    mpv_set_property_async(m_mpv.get(), 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void MpvVideoPlayer::play()
{
    if (!m_mpv)
        return;
    m_stopped = false;
    setPaused(false);
}

void MpvVideoPlayer::pause()
{
    if (m_mpv)
        setPaused(true);
}

void MpvVideoPlayer::stop()
{
    if (!m_mpv || m_open == OpenState::Closed)
        return;
    setPaused(true);
    setPosition(0);
    m_stopped = true;
}

void MpvVideoPlayer::close()
{
    m_pending.clear();
    m_file.clear();
    m_open = OpenState::Closed;
    m_stopped = false;
    m_entry = -1;
    m_duration = 0;
    m_position = 0;
    m_seek.reset();
    if (!m_mpv)
        return;
    // At once: a film opened right after must not be caught by this stop, which also
    // empties mpv's playlist.
    const char *args[] = {"stop", nullptr};
    mpv_command(m_mpv.get(), args);
}

double MpvVideoPlayer::bounded(double seconds) const
{
    if (!std::isfinite(seconds) || seconds < 0)
        return 0;
    return m_duration > 0 ? std::min(seconds, m_duration) : seconds;
}

void MpvVideoPlayer::setPosition(double seconds)
{
    if (!m_mpv || m_open != OpenState::Open)
        return;
    m_position = bounded(seconds);
    const QByteArray target = QByteArray::number(m_position, 'f', 3);
    const char *args[] = {"seek", target.constData(), "absolute", nullptr};
    mpv_command_async(m_mpv.get(), m_seek.ask(), args);
}

// The place mpv came to, which may be a frame after the one asked for.
void MpvVideoPlayer::seekDone()
{
    double position = 0;
    if (m_open != OpenState::Open ||
        mpv_get_property(m_mpv.get(), "time-pos", MPV_FORMAT_DOUBLE, &position) < 0)
        return;
    m_position = bounded(position);
    notifyPosition(m_position);
}

void MpvVideoPlayer::setDisplaySize(DisplaySize size)
{
    m_size = size;
    applyZoom();
}

void MpvVideoPlayer::setZoom(int percent)
{
    if (percent <= 0)
        return;
    m_zoom = percent;
    applyZoom();
}

// mpv's zoom is a power of two of the fitted picture: 0 fits, 1 doubles.
void MpvVideoPlayer::applyZoom()
{
    if (!m_mpv)
        return;
    double zoom = m_size == DisplaySize::Custom ? std::log2(m_zoom / 100.0) : 0.0;
    mpv_set_property_async(m_mpv.get(), 0, "video-zoom", MPV_FORMAT_DOUBLE, &zoom);
}

void MpvVideoPlayer::drainEvents()
{
    m_drainQueued = false;
    if (!m_mpv)
        return;
    for (;;) {
        const mpv_event *event = mpv_wait_event(m_mpv.get(), 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            return;
        handle(*event);
    }
}

void MpvVideoPlayer::handle(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_started = static_cast<const mpv_event_start_file *>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        fileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        fileEnded(event);
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        propertyChanged(event);
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (m_seek.replied(event.reply_userdata, event.error >= 0))
            seekDone();
        break;
    case MPV_EVENT_SEEK:
        m_seek.started();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seek.restarted())
            seekDone();
        break;
    default:
        break;
    }
}

void MpvVideoPlayer::fileLoaded()
{
    // Only the film last asked for: an older one may still report while it is replaced.
    if (m_entry < 0 || m_started != m_entry || m_open != OpenState::Loading)
        return;
    double length = 0;
    if (mpv_get_property(m_mpv.get(), "duration", MPV_FORMAT_DOUBLE, &length) < 0 ||
        !std::isfinite(length) || length < 0)
        length = 0;
    m_duration = length;
    m_position = 0;
    m_seek.reset();
    m_open = OpenState::Open;
    notifyOpenState(m_open);
}

void MpvVideoPlayer::fileEnded(const mpv_event &event)
{
    const auto *end = static_cast<const mpv_event_end_file *>(event.data);
    if (end->playlist_entry_id != m_entry || m_entry < 0)
        return;
    if (end->reason != MPV_END_FILE_REASON_ERROR && end->reason != MPV_END_FILE_REASON_EOF)
        return;
    m_entry = -1;
    m_open = OpenState::Closed;
    m_duration = 0;
    m_position = 0;
    m_seek.reset();
    notifyOpenState(m_open);
    if (end->reason == MPV_END_FILE_REASON_ERROR)
        notifyError(end->error, QString::fromUtf8(mpv_error_string(end->error)));
}

void MpvVideoPlayer::propertyChanged(const mpv_event &event)
{
    const auto *p = static_cast<const mpv_event_property *>(event.data);
    switch (event.reply_userdata) {
    case TimePos:
        if (p->format == MPV_FORMAT_DOUBLE && m_open == OpenState::Open && !m_seek.pending()) {
            m_position = bounded(*static_cast<const double *>(p->data));
            notifyPosition(m_position);
        }
        break;
    case Duration:
        if (p->format == MPV_FORMAT_DOUBLE && m_open == OpenState::Open) {
            const double length = *static_cast<const double *>(p->data);
            if (std::isfinite(length) && length >= 0)
                m_duration = length;
        }
        break;
    case Pause:
        if (p->format == MPV_FORMAT_FLAG)
            m_paused = *static_cast<const int *>(p->data) != 0;
        break;
    default:
        break;
    }
}
