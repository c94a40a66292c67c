#include "widgets/PictureLight.h"

#include <gtest/gtest.h>

#include <QGraphicsEffect>
#include <QLabel>
#include <QPixmap>

// A picture by night keeps the given share of its light; transparency stays as it was, and
// full light leaves the picture untouched.
TEST(PictureLight, DimmingKeepsTheShareOfLightAndTheTransparency)
{
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(QColor(200, 100, 40));
    picture.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    const QImage dim = PictureLight::dimmed(picture, 0.25);
    const QColor c = dim.pixelColor(4, 4);
    EXPECT_NEAR(c.red(), 50, 1);
    EXPECT_NEAR(c.green(), 25, 1);
    EXPECT_NEAR(c.blue(), 10, 1);
    EXPECT_EQ(dim.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(PictureLight::dimmed(picture, 1.0), picture);
    EXPECT_EQ(PictureLight::dimmed(picture, -1.0).pixelColor(4, 4), QColor(Qt::black));
}

// A widget's picture is drawn darker over its black ground while dimmed, and as it is again
// by day.
TEST(PictureLight, AWidgetIsDrawnDarkerUntilFullLight)
{
    QImage white(40, 40, QImage::Format_RGB32);
    white.fill(Qt::white);
    QWidget ground;
    ground.setAutoFillBackground(true);
    QPalette p = ground.palette();
    p.setColor(QPalette::Window, Qt::black);
    ground.setPalette(p);
    ground.resize(40, 40);
    auto *label = new QLabel(&ground);
    label->setPixmap(QPixmap::fromImage(white));
    label->resize(40, 40);
    const auto middle = [&] {
        return ground.grab().toImage().pixelColor(20, 20);
    };
    EXPECT_EQ(middle(), QColor(Qt::white));
    PictureLight::apply(*label, 0.5);
    EXPECT_NEAR(middle().red(), 128, 2);
    PictureLight::apply(*label, 1.0);
    EXPECT_EQ(middle(), QColor(Qt::white));
    EXPECT_FALSE(label->graphicsEffect()->isEnabled());
}
