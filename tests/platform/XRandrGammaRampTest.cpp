#include "platform/XRandrGammaRamp.h"
#include "app/BrightnessControl.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include <X11/extensions/Xrandr.h>
#include <X11/Xlib.h>

TEST(XRandrGammaRampTest, ResamplesToTheCrtcsRampSize)
{
    const GammaRamp::Table identity = BrightnessControl::ramp(128);
    const std::vector<quint16> same = XRandrGammaRamp::resample(identity, 256);
    EXPECT_TRUE(std::equal(same.begin(), same.end(), identity.begin()));

    // A 1024-entry CRTC: the ends are kept, the steps in between interpolated.
    const std::vector<quint16> wide = XRandrGammaRamp::resample(identity, 1024);
    ASSERT_EQ(wide.size(), 1024u);
    EXPECT_EQ(wide.front(), 0);
    EXPECT_EQ(wide.back(), 65280);
    EXPECT_TRUE(std::is_sorted(wide.begin(), wide.end()));

    const GammaRamp::Table bright = BrightnessControl::ramp(256);
    const std::vector<quint16> narrow = XRandrGammaRamp::resample(bright, 16);
    ASSERT_EQ(narrow.size(), 16u);
    EXPECT_EQ(narrow[0], 0);
    EXPECT_EQ(narrow[15], 65535);
    EXPECT_EQ(narrow[12], 65535); // source entry 204

    EXPECT_TRUE(XRandrGammaRamp::resample(identity, 0).empty());
    EXPECT_EQ(XRandrGammaRamp::resample(identity, 1), std::vector<quint16>{0});
}

TEST(XRandrGammaRampTest, WithoutAnXDisplayNothingHappens)
{
    // The tests run on the offscreen platform: no X11, so no display is opened.
    std::unique_ptr<XRandrGammaRamp> gamma = XRandrGammaRamp::forApplication();
    ASSERT_TRUE(gamma);
    EXPECT_FALSE(gamma->hasDisplay());
    gamma->apply(BrightnessControl::ramp(0));
    XRandrGammaRamp none(":9999");
    EXPECT_FALSE(none.hasDisplay());
    none.apply(BrightnessControl::ramp(256));
}

namespace {

// A virtual X server of the test's own; its display number is the one it picks.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        m_server.start(QStringLiteral("Xvfb"),
                       {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        if (m_server.waitForStarted(10000) &&
            QTest::qWaitFor([&] { return m_server.canReadLine(); }, 30000))
            m_name = ":" + m_server.readLine().trimmed();
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
    QByteArray name() const { return m_name; }

private:
    QProcess m_server;
    QByteArray m_name;
};

// The red table of every CRTC, as the server now holds it.
std::vector<std::vector<quint16>> redTables(const QByteArray &name)
{
    std::vector<std::vector<quint16>> tables;
    Display *dpy = XOpenDisplay(name.constData());
    if (!dpy)
        return tables;
    XRRScreenResources *res = XRRGetScreenResourcesCurrent(dpy, DefaultRootWindow(dpy));
    for (int c = 0; res && c < res->ncrtc; ++c) {
        XRRCrtcGamma *g = XRRGetCrtcGamma(dpy, res->crtcs[c]);
        if (g) {
            tables.emplace_back(g->red, g->red + g->size);
            XRRFreeGamma(g);
        }
    }
    if (res)
        XRRFreeScreenResources(res);
    XCloseDisplay(dpy);
    return tables;
}

} // namespace

TEST(XRandrGammaRampTest, EveryCrtcOfAnXDisplayTakesTheRamp)
{
    VirtualDisplay x;
    ASSERT_FALSE(x.name().isEmpty());
    XRandrGammaRamp gamma(x.name());
    ASSERT_TRUE(gamma.hasDisplay());
    gamma.apply(BrightnessControl::ramp(0));
    std::vector<std::vector<quint16>> tables = redTables(x.name());
    ASSERT_FALSE(tables.empty());
    for (const std::vector<quint16> &red : tables) {
        ASSERT_FALSE(red.empty());
        EXPECT_EQ(red.front(), 0);
        EXPECT_EQ(red.back(), 32640);
    }
    gamma.apply(BrightnessControl::ramp(128));
    tables = redTables(x.name());
    ASSERT_FALSE(tables.empty());
    EXPECT_EQ(tables.front().back(), 65280);
}
