#include "core/ColourScheme.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <cmath>

namespace {

double luminance(const QColor &c)
{
    auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

} // namespace

// By night every colour of any size is far darker than by day, the accent keeps its hue,
// and what is written stays readable on what it is written on.
TEST(ColourSchemeTest, TheNightPaletteIsDarkAndStillReadable)
{
    for (const QColor &accent :
         {QColor(0xCD, 0xB8, 0x99), QColor(Qt::white), QColor(0, 160, 255)}) {
        const ColourScheme::Palette day = ColourScheme::dayPalette(accent);
        const ColourScheme::Palette night = ColourScheme::nightPalette(accent);
        SCOPED_TRACE(accent.name().toStdString());
        EXPECT_LT(luminance(night.accent), luminance(day.accent) / 4);
        EXPECT_LT(luminance(night.text), luminance(day.text) / 3);
        EXPECT_EQ(night.accent.hsvHue(), day.accent.hsvHue());
        EXPECT_GT(contrast(night.text, night.background), 4.5);
        EXPECT_GT(contrast(night.textOnAccent, night.accent), 3.0);
        EXPECT_GT(contrast(night.warning, night.background), 3.0);
    }
}

// The pass takes the palette of the moment, and day comes back exactly as it was.
TEST(ColourSchemeTest, ThePassFollowsDayAndNight)
{
    ColourScheme scheme;
    QLabel bar;
    QLabel text;
    scheme.add(&bar, ColourScheme::Role::AccentBackground);
    scheme.add(&text, ColourScheme::Role::Text);
    QColor painted;
    scheme.add([&](const QColor &accent) { painted = accent; });

    scheme.changecolors();
    const QColor dayBar = bar.palette().color(QPalette::Window);
    EXPECT_EQ(dayBar, scheme.main());
    EXPECT_EQ(text.palette().color(QPalette::WindowText), QColor(Qt::white));

    scheme.setNight(true);
    scheme.changecolors();
    const ColourScheme::Palette night = ColourScheme::nightPalette(scheme.main());
    EXPECT_EQ(bar.palette().color(QPalette::Window), night.accent);
    EXPECT_EQ(text.palette().color(QPalette::WindowText), night.text);
    EXPECT_EQ(painted, night.accent);

    scheme.setNight(false);
    scheme.changecolors();
    EXPECT_EQ(bar.palette().color(QPalette::Window), dayBar);
    EXPECT_EQ(painted, scheme.main());
}
