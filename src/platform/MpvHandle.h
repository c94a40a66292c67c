#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct mpv_handle;

// One libmpv player, owned: created with its options, initialised, and destroyed with the
// object. Null when libmpv can't be set up; callers then do nothing.
class MpvHandle {
public:
    using Options = std::vector<std::pair<QByteArray, QByteArray>>;

    MpvHandle() = default;
    static MpvHandle create(const Options &options);
    // A quiet player for sound only: no video, no window, none of the user's mpv
    // configuration or scripts, and mpv's null output when there is no sound device.
    // extra comes after the common options; audioOutput (mpv's "ao") comes last, and an
    // empty one leaves mpv's own choice.
    // What no player of this program uses: the user's mpv configuration, scripts (the
    // built-in ones too), the on-screen controller, stream helpers, key bindings.
    static Options unused();
    static Options soundOnly(const QByteArray &audioOutput, const Options &extra = {});
    // The absolute path of an existing local file, nothing otherwise: a path never makes
    // the player open a network stream, and an absolute one keeps mpv from reading "x://"
    // as a protocol.
    static std::optional<QByteArray> localFile(const QString &path);

    mpv_handle *get() const { return m_handle.get(); }
    explicit operator bool() const { return bool(m_handle); }

    // Replaces what is playing with file; returns the id of its playlist entry (-1 when
    // mpv names none), nothing when mpv refuses the command or there is no player.
    std::optional<qint64> loadFile(const QByteArray &file) const;
    // Stops playback; the player stays idle.
    void stop() const;
    // Reads every pending event so that mpv's queue never fills.
    void drainEvents() const;

private:
    struct Destroy {
        void operator()(mpv_handle *handle) const;
    };
    std::unique_ptr<mpv_handle, Destroy> m_handle;
};
