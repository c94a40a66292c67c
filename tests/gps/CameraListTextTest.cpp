#include "gps/CameraListText.h"

#include <gtest/gtest.h>

TEST(CameraListText, ReadsLinesOfCameras)
{
    const auto parsed = CameraListText::parse(QStringLiteral("# the demo road\n"
                                                             "51.3596, 7.2408, 50\n"
                                                             "\n"
                                                             "  -33.87;151.21;60;fixed\r\n"
                                                             "0 -0.5 120 extra fields here\n"));
    EXPECT_TRUE(parsed.errors.isEmpty());
    ASSERT_EQ(parsed.cameras.size(), 3u);
    EXPECT_EQ(parsed.cameras[0], (CameraRecord{51.3596, 7.2408, 50}));
    EXPECT_EQ(parsed.cameras[1], (CameraRecord{-33.87, 151.21, 60}));
    EXPECT_EQ(parsed.cameras[2], (CameraRecord{0, -0.5, 120}));
}

TEST(CameraListText, NamesTheLinesThatAreNotCameras)
{
    const auto parsed = CameraListText::parse(QStringLiteral("51.1, 7.1\n"
                                                             "91, 7, 50\n"
                                                             "nan, 7, 50\n"
                                                             "51.2, 7.2, fifty\n"
                                                             "51.3, 7.3, 30\n"));
    EXPECT_EQ(parsed.cameras.size(), 1u);
    EXPECT_EQ(parsed.errors,
              (QStringList{"line 1: latitude, longitude and limit needed",
                           "line 2: position out of range", "line 3: position out of range",
                           "line 4: not a number"}));
}
