#include "platform/MpvSoundPlayer.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <mpv/client.h>

#include <algorithm>
#include <optional>

namespace {

MpvHandle::Options playerOptions(const QByteArray &audioOutput)
{
    MpvHandle::Options o{{"vo", "null"},
                         {"vid", "no"},
                         {"audio-display", "no"},
                         {"audio-fallback-to-null", "yes"},
                         {"idle", "yes"},
                         {"terminal", "no"},
                         {"config", "no"},
                         {"load-scripts", "no"},
                         {"ytdl", "no"},
                         {"input-default-bindings", "no"},
                         {"audio-client-name", "Rovana"}};
    if (!audioOutput.isEmpty())
        o.emplace_back("ao", audioOutput);
    return o;
}

// Only existing local files are played: a path from the settings must never make the
// player open a network stream. An absolute path keeps mpv from reading "x://" as a
// protocol.
std::optional<QByteArray> localFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return std::nullopt;
    return info.absoluteFilePath().toUtf8();
}

// Starts the file and returns the id of its playlist entry (-1 when mpv gives none).
std::optional<qint64> load(mpv_handle *h, const QByteArray &file)
{
    const char *args[] = {"loadfile", file.constData(), "replace", nullptr};
    mpv_node result{};
    if (mpv_command_ret(h, args, &result) < 0)
        return std::nullopt;
    qint64 id = -1;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list *map = result.u.list;
        for (int i = 0; i < map->num; ++i) {
            if (qstrcmp(map->keys[i], "playlist_entry_id") == 0 &&
                map->values[i].format == MPV_FORMAT_INT64)
                id = map->values[i].u.int64;
        }
    }
    mpv_free_node_contents(&result);
    return id;
}

void stop(mpv_handle *h)
{
    const char *args[] = {"stop", nullptr};
    mpv_command(h, args);
}

} // namespace

MpvSoundPlayer::MpvSoundPlayer() : MpvSoundPlayer(Options{}) {}

MpvSoundPlayer::MpvSoundPlayer(Options options)
    : m_options(std::move(options)),
      m_background(MpvHandle::create(playerOptions(m_options.audioOutput))),
      m_waiting(MpvHandle::create(playerOptions(m_options.audioOutput)))
{
    if (m_background) {
        // Called on one of mpv's threads: only post a drain to the GUI thread.
        mpv_set_wakeup_callback(
            m_background.get(),
            [](void *self) {
                QMetaObject::invokeMethod(static_cast<MpvSoundPlayer *>(self),
                                          &MpvSoundPlayer::drainEvents, Qt::QueuedConnection);
            },
            this);
    }
}

MpvSoundPlayer::~MpvSoundPlayer()
{
    if (m_background)
        mpv_set_wakeup_callback(m_background.get(), nullptr, nullptr);
}

void MpvSoundPlayer::drainEvents()
{
    if (!m_background)
        return;
    while (mpv_wait_event(m_background.get(), 0)->event_id != MPV_EVENT_NONE) {
    }
}

void MpvSoundPlayer::play(const QString &path)
{
    const std::optional<QByteArray> file = localFile(path);
    if (!file || !m_background)
        return;
    load(m_background.get(), *file);
}

void MpvSoundPlayer::playAndWait(const QString &path)
{
    const std::optional<QByteArray> file = localFile(path);
    mpv_handle *h = m_waiting.get();
    if (!file || !h)
        return;
    while (mpv_wait_event(h, 0)->event_id != MPV_EVENT_NONE) {
    }
    QElapsedTimer clock;
    clock.start();
    const std::optional<qint64> id = load(h, *file);
    if (!id)
        return;
    qint64 deadline = m_options.maxWaitMs;
    bool started = false;
    for (;;) {
        const qint64 left = deadline - clock.elapsed();
        if (left <= 0) {
            stop(h);
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
