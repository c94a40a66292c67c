#include "RadarPainter.h"

#include <QConicalGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

const QColor Accent(0xCD, 0xB8, 0x99);
const QColor Ring(90, 170, 120);

void drawCar(QPainter &p, QPointF centre)
{
    p.save();
    p.translate(centre);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Accent);
    p.drawRoundedRect(QRectF(-7, -13, 14, 26), 4, 4);
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(QRectF(-5, -8, 10, 6), 2, 2); // windscreen
    p.drawRoundedRect(QRectF(-5, 5, 10, 4), 2, 2);  // rear window
    p.restore();
}

} // namespace

QImage RadarPainter::mapBackground()
{
    QImage image(631, 278, QImage::Format_RGB32);
    const QPointF c(315, 139);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient field(c, 360);
    field.setColorAt(0, QColor(52, 120, 82));
    field.setColorAt(0.55, QColor(30, 80, 54));
    field.setColorAt(1, QColor(10, 34, 22));
    p.fillRect(image.rect(), field);
    // The sweep trailing behind its beam, behind-left of the car, clear of the warning sector.
    QConicalGradient sweep(c, 215);
    sweep.setColorAt(0, QColor(140, 230, 170, 110));
    sweep.setColorAt(0.12, QColor(140, 230, 170, 0));
    sweep.setColorAt(1, QColor(140, 230, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sweep);
    p.drawEllipse(c, 400, 400);
    // Range rings and the cross through the car.
    p.setBrush(Qt::NoBrush);
    for (int r = 34; r < 400; r += 34) {
        p.setPen(QPen(Ring, r % 68 == 0 ? 1.4 : 0.7));
        p.drawEllipse(c, r, r);
    }
    p.setPen(QPen(Ring, 0.8, Qt::DashLine));
    p.drawLine(QPointF(0, c.y()), QPointF(631, c.y()));
    p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), 278));
    // Tick marks round the edge every 10 degrees of the view.
    p.setPen(QPen(Ring, 1));
    for (int deg = 0; deg < 360; deg += 10) {
        const double a = deg * std::numbers::pi / 180;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(c + dir * 128, c + dir * (deg % 30 == 0 ? 136 : 132));
    }
    p.setPen(QPen(QColor(0, 0, 0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(1, 1, -2, -2));
    drawCar(p, c);
    return image;
}
