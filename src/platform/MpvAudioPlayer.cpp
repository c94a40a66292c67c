#include "platform/MpvAudioPlayer.h"

#include <QElapsedTimer>

#include <mpv/client.h>

#include <cmath>

namespace {

MpvHandle::Options playerOptions(const QByteArray &audioOutput)
{
    // A track stays loaded at its end (see the class) and is loaded paused.
    return MpvHandle::soundOnly(audioOutput, {{"keep-open", "yes"},
                                              {"pause", "yes"},
                                              {"gapless-audio", "no"},
                                              {"resume-playback", "no"}});
}

bool flag(mpv_handle *h, const char *name)
{
    int value = 0;
    return mpv_get_property(h, name, MPV_FORMAT_FLAG, &value) >= 0 && value != 0;
}

std::optional<double> number(mpv_handle *h, const char *name)
{
    double value = 0;
    if (mpv_get_property(h, name, MPV_FORMAT_DOUBLE, &value) < 0 || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

MpvAudioPlayer::MpvAudioPlayer() : MpvAudioPlayer(Options{}) {}

MpvAudioPlayer::MpvAudioPlayer(Options options)
    : m_options(std::move(options)), m_mpv(MpvHandle::create(playerOptions(m_options.audioOutput)))
{
    if (m_mpv) {
        // Called on one of mpv's threads: only post a drain to the GUI thread.
        mpv_set_wakeup_callback(
            m_mpv.get(),
            [](void *self) {
                QMetaObject::invokeMethod(static_cast<MpvAudioPlayer *>(self),
                                          &MpvAudioPlayer::drainEvents, Qt::QueuedConnection);
            },
            this);
    }
}

MpvAudioPlayer::~MpvAudioPlayer()
{
    if (m_mpv)
        mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
}

void MpvAudioPlayer::drainEvents() { m_mpv.drainEvents(); }

void MpvAudioPlayer::close()
{
    m_seekPending = false;
    if (!m_open)
        return;
    m_open = false;
    m_mpv.stop();
}

bool MpvAudioPlayer::waitLoaded(qint64 id)
{
    mpv_handle *h = m_mpv.get();
    QElapsedTimer clock;
    clock.start();
    bool started = false;
    for (;;) {
        const qint64 left = m_options.openTimeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        const mpv_event *e = mpv_wait_event(h, double(left) / 1000.0);
        switch (e->event_id) {
        case MPV_EVENT_START_FILE:
            started = started ||
                      static_cast<const mpv_event_start_file *>(e->data)->playlist_entry_id == id;
            break;
        case MPV_EVENT_FILE_LOADED:
            if (started)
                return true;
            break;
        case MPV_EVENT_END_FILE:
            if (static_cast<const mpv_event_end_file *>(e->data)->playlist_entry_id == id)
                return false;
            break;
        case MPV_EVENT_SHUTDOWN:
            return false;
        default:
            break;
        }
    }
}

bool MpvAudioPlayer::open(const QString &path)
{
    m_fileName = path;
    if (!m_mpv)
        return false;
    close();
    drainEvents();
    const std::optional<QByteArray> file = MpvHandle::localFile(path);
    if (!file)
        return false;
    mpv_handle *h = m_mpv.get();
    // Loaded paused at its start; play() starts it.
    mpv_set_property_string(h, "pause", "yes");
    const std::optional<qint64> id = m_mpv.loadFile(*file);
    if (!id)
        return false;
    m_open = true;
    const std::optional<double> seconds = waitLoaded(*id) ? number(h, "duration") : std::nullopt;
    // Something that loads but has no sound and no length (a picture, a text) is no track.
    int64_t audioTrack = 0;
    if (!seconds || *seconds <= 0 ||
        mpv_get_property(h, "current-tracks/audio/id", MPV_FORMAT_INT64, &audioTrack) < 0) {
        close();
        return false;
    }
    m_length = std::llround(*seconds * 1000);
    return m_length > 0;
}

bool MpvAudioPlayer::isOpen() const
{
    // A file that broke off while playing leaves the player idle.
    return m_open && !flag(m_mpv.get(), "idle-active");
}

bool MpvAudioPlayer::setPaused(bool paused)
{
    if (!isOpen())
        return false;
    return mpv_set_property_string(m_mpv.get(), "pause", paused ? "yes" : "no") >= 0;
}

bool MpvAudioPlayer::play() { return setPaused(false); }

bool MpvAudioPlayer::pause() { return setPaused(true); }

bool MpvAudioPlayer::resume() { return setPaused(false); }

bool MpvAudioPlayer::stop()
{
    if (!m_open)
        return false;
    close();
    return true;
}

bool MpvAudioPlayer::seek(qint64 ms)
{
    const std::optional<qint64> n = length();
    if (!n || ms < 0 || ms > *n)
        return false;
    const QByteArray seconds = QByteArray::number(double(ms) / 1000.0, 'f', 3);
    const char *args[] = {"seek", seconds.constData(), "absolute+exact", nullptr};
    if (mpv_command(m_mpv.get(), args) < 0)
        return false;
    m_seekPending = true;
    m_seekTarget = ms;
    return true;
}

std::optional<qint64> MpvAudioPlayer::length() const
{
    if (!isOpen())
        return std::nullopt;
    if (const std::optional<double> seconds = number(m_mpv.get(), "duration");
        seconds && *seconds > 0)
        m_length = std::llround(*seconds * 1000);
    return m_length;
}

std::optional<qint64> MpvAudioPlayer::position() const
{
    const std::optional<qint64> n = length();
    if (!n)
        return std::nullopt;
    // At the end the file stays open and the position is the length, exactly; before it
    // the position never reaches the length, so the end is seen only where it is.
    if (flag(m_mpv.get(), "eof-reached"))
        return *n;
    const std::optional<double> seconds = number(m_mpv.get(), "time-pos");
    const qint64 now = seconds ? std::llround(*seconds * 1000) : 0;
    if (m_seekPending) {
        // Paused, mpv stops short of a seek's target and reaches it on resuming.
        if (flag(m_mpv.get(), "pause"))
            return qMin(m_seekTarget, qMax<qint64>(0, *n - 1));
        m_seekPending = false;
    }
    return qBound<qint64>(0, now, qMax<qint64>(0, *n - 1));
}
