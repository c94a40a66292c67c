#include "platform/AudioOutputProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// The probe is given directories of the test's own making: what this machine has (or
// lacks) in the way of sound plays no part.
TEST(AudioOutputProbe, ASoundServerOrAPlaybackDeviceIsAnOutput)
{
    TempDir runtime;
    TempDir devices;
    const AudioOutputProbe::Places none{runtime.path(), {}, devices.path()};
    EXPECT_FALSE(AudioOutputProbe::hasOutput(none));
    EXPECT_FALSE(AudioOutputProbe::hasOutput({}));

    devices.write("controlC0", "");
    devices.write("pcmC0D0c", ""); // a capture device plays nothing
    EXPECT_FALSE(AudioOutputProbe::hasOutput(none));
    devices.write("pcmC0D0p", "");
    EXPECT_TRUE(AudioOutputProbe::hasOutput(none));

    TempDir pulse;
    pulse.mkdir("pulse");
    pulse.write("pulse/native", "");
    EXPECT_TRUE(AudioOutputProbe::hasOutput({pulse.path(), {}, {}}));
    TempDir pipewire;
    pipewire.write("pipewire-0", "");
    EXPECT_TRUE(AudioOutputProbe::hasOutput({pipewire.path(), {}, {}}));
    EXPECT_TRUE(AudioOutputProbe::hasOutput({{}, "tcp:car-pc:4713", {}}));
}

TEST(AudioOutputProbe, WithoutAnOutputThePlayersUseTheNullOutput)
{
    EXPECT_EQ(AudioOutputProbe::playerOutput(false), "null");
    EXPECT_EQ(AudioOutputProbe::playerOutput(true), "");
}
