#pragma once

#include <QByteArray>

#include <memory>
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

    mpv_handle *get() const { return m_handle.get(); }
    explicit operator bool() const { return bool(m_handle); }

private:
    struct Destroy {
        void operator()(mpv_handle *handle) const;
    };
    std::unique_ptr<mpv_handle, Destroy> m_handle;
};
