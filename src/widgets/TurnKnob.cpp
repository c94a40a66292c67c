#include "widgets/TurnKnob.h"

#include <QPainter>
#include <QtMath>

namespace {
// The mark sweeps three quarters of a turn, like a real control knob.
constexpr double SweepDegrees = 135.0;
} // namespace

TurnKnob::TurnKnob(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(60, 60);
}

void TurnKnob::setPosition(int position)
{
    position = qBound(-128, position, 128);
    if (position == m_position)
        return;
    m_position = position;
    update();
}

void TurnKnob::setFaceColour(const QColor &colour)
{
    m_face = colour;
    update();
}

void TurnKnob::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = qMin(width(), height());
    const QPointF centre = QRectF(rect()).center();
    const double outer = side / 2.0 - 2.0;

    // The scale: ticks from far left to far right.
    p.setPen(QPen(m_face, 2));
    for (int i = 0; i <= 8; ++i) {
        const double a = qDegreesToRadians(-SweepDegrees + i * SweepDegrees / 4.0);
        const QPointF dir(qSin(a), -qCos(a));
        p.drawLine(centre + dir * outer * 0.86, centre + dir * outer);
    }
    const double radius = outer * 0.74;
    p.setBrush(m_face);
    p.setPen(QPen(m_face.lighter(130), 2));
    p.drawEllipse(centre, radius, radius);

    const double a = qDegreesToRadians(m_position * SweepDegrees / 128.0);
    const QPointF dir(qSin(a), -qCos(a));
    p.setPen(QPen(Qt::black, qMax(3.0, radius / 6.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + dir * radius * 0.25, centre + dir * radius * 0.85);
}
