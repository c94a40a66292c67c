#include "widgets/LevelBar.h"

#include <QPainter>

LevelBar::LevelBar(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void LevelBar::setMaximum(int maximum)
{
    m_maximum = maximum;
    update();
}

void LevelBar::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    setToolTip(QStringLiteral("%1%").arg(m_maximum > 0 ? qint64(value) * 100 / m_maximum : 0));
    update();
}

void LevelBar::setBarColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void LevelBar::setText(const QString &text)
{
    m_text = text;
    update();
}

void LevelBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(m_colour);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_maximum > 0) {
        const qint64 clamped = qBound(0, m_value, m_maximum);
        const int w = int((width() - 4) * clamped / m_maximum);
        p.fillRect(QRect(2, 2, w, height() - 4), m_colour);
    }
    if (!m_text.isEmpty()) {
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, m_text);
    }
}
