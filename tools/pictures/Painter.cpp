#include "Painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor Accent(0xCD, 0xB8, 0x99);

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void title(QPainter &p, const QRect &r, const QString &text, int px)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Accent);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

QImage Painter::mainBackground()
{
    QImage image = canvas(800, 379);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 379);
    sky.setColorAt(0, QColor(10, 12, 30));
    sky.setColorAt(0.6, QColor(40, 30, 60));
    sky.setColorAt(1, QColor(5, 5, 5));
    p.fillRect(image.rect(), sky);
    // The road, vanishing towards the horizon.
    QPainterPath road;
    road.moveTo(300, 379);
    road.lineTo(390, 220);
    road.lineTo(410, 220);
    road.lineTo(500, 379);
    p.fillPath(road, QColor(25, 25, 25));
    p.setPen(QPen(Accent, 3, Qt::DashLine));
    p.drawLine(400, 370, 400, 230);
    // A low saloon seen from behind.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 34));
    p.drawRoundedRect(QRect(300, 260, 200, 70), 20, 20);
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRect(330, 230, 140, 45), 16, 16);
    p.setBrush(QColor(220, 30, 30));
    p.drawRoundedRect(QRect(310, 285, 40, 12), 4, 4);
    p.drawRoundedRect(QRect(450, 285, 40, 12), 4, 4);
    title(p, QRect(0, 20, 800, 80), QStringLiteral("ROVANA"), 64);
    return image;
}

QImage Painter::audio()
{
    QImage image = canvas(320, 260);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(160, 120, 150);
    glow.setColorAt(0, QColor(60, 50, 30));
    glow.setColorAt(1, Qt::black);
    p.fillRect(image.rect(), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(QPoint(120, 180), 32, 24);
    p.drawEllipse(QPoint(210, 160), 32, 24);
    p.drawRect(140, 50, 10, 130);
    p.drawRect(230, 30, 10, 130);
    QPolygon beam;
    beam << QPoint(140, 50) << QPoint(240, 30) << QPoint(240, 55) << QPoint(140, 75);
    p.drawPolygon(beam);
    return image;
}

QImage Painter::video()
{
    QImage image = canvas(320, 260);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(40, 50, 240, 160), QColor(30, 30, 30));
    p.setBrush(Accent);
    p.setPen(Qt::NoPen);
    for (int x = 50; x < 280; x += 30) {
        p.drawRect(x, 58, 16, 12);
        p.drawRect(x, 190, 16, 12);
    }
    QPolygon play;
    play << QPoint(135, 95) << QPoint(135, 165) << QPoint(195, 130);
    p.drawPolygon(play);
    return image;
}

QImage Painter::nowPlayingBackground()
{
    QImage image = canvas(300, 300);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(15, 15, 15));
    p.setPen(QPen(QColor(50, 50, 50), 1));
    for (int r = 140; r > 40; r -= 8)
        p.drawEllipse(QPoint(150, 150), r, r);
    p.setBrush(Accent);
    p.drawEllipse(QPoint(150, 150), 40, 40);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(150, 150), 5, 5);
    return image;
}

QImage Painter::alert()
{
    QImage image = canvas(320, 240);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF sign;
    sign << QPointF(160, 12) << QPointF(302, 222) << QPointF(18, 222);
    p.setPen(QPen(QColor(220, 20, 20), 18, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPolygon(sign);
    // The camera: body, lens and flash.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    p.drawRoundedRect(QRectF(105, 120, 110, 70), 10, 10);
    p.drawRect(QRectF(125, 108, 30, 14));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(160, 155), 24, 24);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(160, 155), 15, 15);
    p.setBrush(QColor(255, 200, 0));
    p.drawRect(QRectF(190, 127, 16, 9));
    return image;
}

QImage Painter::star(const QString &name)
{
    QImage image = canvas(400, 400);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Two spotlights on a dark stage and a singer's outline.
    for (int x : {120, 280}) {
        QRadialGradient light(x, 150, 170);
        light.setColorAt(0, QColor(90, 70, 40));
        light.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(image.rect(), light);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 10, 10));
    p.drawEllipse(QPoint(200, 150), 42, 50);
    p.drawRoundedRect(QRect(130, 200, 140, 140), 50, 50);
    p.setPen(QPen(Accent, 6));
    p.drawLine(200, 215, 200, 330);
    title(p, QRect(0, 330, 400, 60), name, 32);
    return image;
}
