#include "platform/MpvSoundPlayer.h"

#include <QElapsedTimer>

#include <mpv/client.h>

#include <algorithm>
#include <optional>

MpvSoundPlayer::MpvSoundPlayer() : MpvSoundPlayer(Options{}) {}

MpvSoundPlayer::MpvSoundPlayer(Options options)
    : m_options(std::move(options)),
      m_player(MpvHandle::create(MpvHandle::soundOnly(m_options.audioOutput)))
{
    if (m_player) {
        // Called on one of mpv's threads: only post a drain to the GUI thread.
        mpv_set_wakeup_callback(
            m_player.get(),
            [](void *self) {
                QMetaObject::invokeMethod(static_cast<MpvSoundPlayer *>(self),
                                          &MpvSoundPlayer::drainEvents, Qt::QueuedConnection);
            },
            this);
    }
}

MpvSoundPlayer::~MpvSoundPlayer()
{
    if (m_player)
        mpv_set_wakeup_callback(m_player.get(), nullptr, nullptr);
}

void MpvSoundPlayer::drainEvents() { m_player.drainEvents(); }

void MpvSoundPlayer::play(const QString &path)
{
    const std::optional<QByteArray> file = MpvHandle::localFile(path);
    if (!file || !m_player)
        return;
    m_player.loadFile(*file);
}

void MpvSoundPlayer::playAndWait(const QString &path)
{
    const std::optional<QByteArray> file = MpvHandle::localFile(path);
    mpv_handle *h = m_player.get();
    if (!file || !h)
        return;
    // Events of earlier sounds are not this one's; the ids below tell them apart too.
    m_player.drainEvents();
    QElapsedTimer clock;
    clock.start();
    const std::optional<qint64> id = m_player.loadFile(*file);
    if (!id)
        return;
    qint64 deadline = m_options.maxWaitMs;
    bool started = false;
    for (;;) {
        const qint64 left = deadline - clock.elapsed();
        if (left <= 0) {
            m_player.stop();
            return;
        }
        const mpv_event *e = mpv_wait_event(h, double(left) / 1000.0);
        switch (e->event_id) {
        case MPV_EVENT_START_FILE: {
            const auto *s = static_cast<const mpv_event_start_file *>(e->data);
            started = started || *id < 0 || s->playlist_entry_id == *id;
            break;
        }
        case MPV_EVENT_FILE_LOADED: {
            // Now the length is known: wait for it and a little more, never longer than
            // the bound.
            double length = 0;
            if (started && mpv_get_property(h, "duration", MPV_FORMAT_DOUBLE, &length) >= 0 &&
                length >= 0 && length < 1e6)
                deadline =
                    std::min<qint64>(deadline, clock.elapsed() + qint64(length * 1000) + 1000);
            break;
        }
        case MPV_EVENT_END_FILE: {
            const auto *end = static_cast<const mpv_event_end_file *>(e->data);
            if (started && (*id < 0 || end->playlist_entry_id == *id))
                return;
            break;
        }
        case MPV_EVENT_SHUTDOWN:
            return;
        default:
            break;
        }
    }
}
