#pragma once

#include "platform/GammaRamp.h"

#include <QByteArray>

#include <memory>
#include <vector>

struct _XDisplay;

// The gamma ramp of every CRTC of an X display, through XRandR. Each CRTC takes the table
// resampled to its own ramp size. Without an X display (Wayland, a console, tests) it
// does nothing.
class XRandrGammaRamp : public GammaRamp {
public:
    // The display Qt runs on, but only when Qt runs on X11 (the "xcb" platform).
    static std::unique_ptr<XRandrGammaRamp> forApplication();
    // A named display (":1"); an empty name is $DISPLAY.
    explicit XRandrGammaRamp(const QByteArray &displayName);
    ~XRandrGammaRamp() override;

    bool hasDisplay() const { return bool(m_display); }
    void apply(const Table &table) override;

    // The 256 entries stretched or squeezed to size entries by linear interpolation;
    // the first and last entries are kept.
    static std::vector<quint16> resample(const Table &table, int size);

private:
    XRandrGammaRamp() = default;

    struct Close {
        void operator()(_XDisplay *display) const;
    };
    std::unique_ptr<_XDisplay, Close> m_display;
};
