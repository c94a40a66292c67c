#include "platform/XRandrGammaRamp.h"

#include <QGuiApplication>

#include <X11/extensions/Xrandr.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>

namespace {

// An X error must not end the program (Xlib's default handler exits): a CRTC that refuses
// its ramp is skipped.
int ignoreError(Display *, XErrorEvent *) { return 0; }

} // namespace

void XRandrGammaRamp::Close::operator()(_XDisplay *display) const { XCloseDisplay(display); }

std::unique_ptr<XRandrGammaRamp> XRandrGammaRamp::forApplication()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::unique_ptr<XRandrGammaRamp>(new XRandrGammaRamp);
    return std::make_unique<XRandrGammaRamp>(QByteArray());
}

XRandrGammaRamp::XRandrGammaRamp(const QByteArray &displayName)
{
    m_display.reset(XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData()));
    int event = 0, error = 0, major = 0, minor = 0;
    // Per-CRTC gamma needs RandR 1.2.
    if (m_display &&
        (!XRRQueryExtension(m_display.get(), &event, &error) ||
         !XRRQueryVersion(m_display.get(), &major, &minor) || major * 100 + minor < 102))
        m_display.reset();
}

XRandrGammaRamp::~XRandrGammaRamp() = default;

std::vector<quint16> XRandrGammaRamp::resample(const Table &table, int size)
{
    if (size <= 0)
        return {};
    if (size == 1)
        return {table[0]};
    std::vector<quint16> out(size_t(size), 0);
    const double last = double(table.size() - 1);
    for (int j = 0; j < size; ++j) {
        const double at = double(j) * last / double(size - 1);
        const size_t i = std::min(size_t(at), table.size() - 2);
        const double f = at - double(i);
        const double v = double(table[i]) + f * (double(table[i + 1]) - double(table[i]));
        out[size_t(j)] = quint16(std::clamp(std::lround(v), 0L, 65535L));
    }
    return out;
}

void XRandrGammaRamp::apply(const Table &table)
{
    Display *dpy = m_display.get();
    if (!dpy)
        return;
    XSync(dpy, False);
    auto *const previous = XSetErrorHandler(ignoreError);
    for (int screen = 0; screen < ScreenCount(dpy); ++screen) {
        XRRScreenResources *res = XRRGetScreenResourcesCurrent(dpy, RootWindow(dpy, screen));
        if (!res)
            continue;
        for (int c = 0; c < res->ncrtc; ++c) {
            const RRCrtc crtc = res->crtcs[c];
            const std::vector<quint16> ramp = resample(table, XRRGetCrtcGammaSize(dpy, crtc));
            if (ramp.empty())
                continue;
            XRRCrtcGamma *gamma = XRRAllocGamma(int(ramp.size()));
            if (!gamma)
                continue;
            std::copy(ramp.begin(), ramp.end(), gamma->red);
            std::copy(ramp.begin(), ramp.end(), gamma->green);
            std::copy(ramp.begin(), ramp.end(), gamma->blue);
            XRRSetCrtcGamma(dpy, crtc, gamma);
            XRRFreeGamma(gamma);
        }
        XRRFreeScreenResources(res);
    }
    XSync(dpy, False);
    XSetErrorHandler(previous);
}
