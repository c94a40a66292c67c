#include "platform/MpvHandle.h"

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
