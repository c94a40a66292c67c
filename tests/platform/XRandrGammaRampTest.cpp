#include "platform/XRandrGammaRamp.h"
#include "app/BrightnessControl.h"

#include <gtest/gtest.h>

TEST(XRandrGammaRampTest, ResamplesToTheCrtcsRampSize) {
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

TEST(XRandrGammaRampTest, WithoutAnXDisplayNothingHappens) {
    // The tests run on the offscreen platform: no X11, so no display is opened.
    std::unique_ptr<XRandrGammaRamp> gamma = XRandrGammaRamp::forApplication();
    ASSERT_TRUE(gamma);
    EXPECT_FALSE(gamma->hasDisplay());
    gamma->apply(BrightnessControl::ramp(0));
    XRandrGammaRamp none(":9999");
    EXPECT_FALSE(none.hasDisplay());
    none.apply(BrightnessControl::ramp(256));
}
