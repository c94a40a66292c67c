#include "widgets/ScrollingText.h"

#include <QEvent>
#include <QPainter>

namespace {
// Space between the end of the text and its next start.
constexpr int Gap = 80;
} // namespace

ScrollingText::ScrollingText(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    m_timer.setInterval(StepMs);
    connect(&m_timer, &QTimer::timeout, this, &ScrollingText::step);
}

void ScrollingText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_offset = 0;
    updateTimer();
    update();
}

void ScrollingText::setScrolling(bool on)
{
    m_scrolling = on;
    if (!on)
        m_offset = 0;
    updateTimer();
    update();
}

void ScrollingText::setTextColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

int ScrollingText::textWidth() const { return fontMetrics().horizontalAdvance(m_text); }

void ScrollingText::updateTimer()
{
    // Only a text that can't stand still costs timer ticks.
    if (m_scrolling && textWidth() > contentsRect().width())
        m_timer.start();
    else
        m_timer.stop();
}

void ScrollingText::step()
{
    const int period = textWidth() + Gap;
    m_offset = period > 0 ? (m_offset + StepPixels) % period : 0;
    update();
}

void ScrollingText::resizeEvent(QResizeEvent *) { updateTimer(); }

void ScrollingText::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateTimer();
    QWidget::changeEvent(event);
}

void ScrollingText::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(m_colour);
    const QRect area = contentsRect();
    p.setClipRect(area);
    const int w = textWidth();
    if (!m_timer.isActive()) {
        p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_text);
        return;
    }
    // The text and its next copy, so the line never runs empty.
    for (int x = area.left() - m_offset; x < area.right(); x += w + Gap)
        p.drawText(QRect(x, area.top(), w, area.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   m_text);
}
