#include "platform/MpvHandle.h"

#include <QFileInfo>

#include <mpv/client.h>

#include <clocale>

void MpvHandle::Destroy::operator()(mpv_handle *handle) const { mpv_terminate_destroy(handle); }

MpvHandle MpvHandle::create(const Options &options)
{
    // libmpv refuses to start unless numbers are formatted the C way; Qt sets the
    // user's locale at start-up.
    std::setlocale(LC_NUMERIC, "C");
    MpvHandle h;
    h.m_handle.reset(mpv_create());
    if (!h.m_handle)
        return h;
    for (const auto &[name, value] : options)
        mpv_set_option_string(h.get(), name.constData(), value.constData());
    if (mpv_initialize(h.get()) < 0)
        h.m_handle.reset();
    return h;
}

MpvHandle::Options MpvHandle::unused()
{
    // Each of mpv's built-in scripts runs on a thread of its own with a Lua state, in
    // every player, even one that shows nothing.
    return {{"terminal", "no"},
            {"config", "no"},
            {"load-scripts", "no"},
            {"osc", "no"},
            {"ytdl", "no"},
            {"load-stats-overlay", "no"},
            {"load-osd-console", "no"},
            {"load-auto-profiles", "no"},
            {"input-default-bindings", "no"},
            {"audio-client-name", "Rovana"}};
}

MpvHandle::Options MpvHandle::soundOnly(const QByteArray &audioOutput, const Options &extra)
{
    Options o{{"vo", "null"},
              {"vid", "no"},
              {"audio-display", "no"},
              {"audio-fallback-to-null", "yes"},
              {"idle", "yes"}};
    const Options off = unused();
    o.insert(o.end(), off.begin(), off.end());
    o.insert(o.end(), extra.begin(), extra.end());
    if (!audioOutput.isEmpty())
        o.emplace_back("ao", audioOutput);
    return o;
}

std::optional<QByteArray> MpvHandle::localFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return std::nullopt;
    return info.absoluteFilePath().toUtf8();
}

std::optional<qint64> MpvHandle::loadFile(const QByteArray &file) const
{
    if (!m_handle)
        return std::nullopt;
    const char *args[] = {"loadfile", file.constData(), "replace", nullptr};
    mpv_node result{};
    if (mpv_command_ret(get(), args, &result) < 0)
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

void MpvHandle::stop() const
{
    if (!m_handle)
        return;
    const char *args[] = {"stop", nullptr};
    mpv_command(get(), args);
}

void MpvHandle::drainEvents() const
{
    if (!m_handle)
        return;
    while (mpv_wait_event(get(), 0)->event_id != MPV_EVENT_NONE) {
    }
}
