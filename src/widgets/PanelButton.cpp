#include "widgets/PanelButton.h"

#include "widgets/SkinFont.h"

#include <QMouseEvent>

PanelButton::PanelButton(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    setTextColour(Qt::black);
}

void PanelButton::setTextColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor PanelButton::textColour() const { return palette().color(QPalette::WindowText); }

void PanelButton::setBackgroundColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void PanelButton::clearBackground() { setAutoFillBackground(false); }

void PanelButton::setLook(int points, bool bold, bool italic)
{
    QFont f = SkinFont::points(font().family(), points, bold, italic);
    setFont(f);
}

void PanelButton::showFocus(bool focused, const QColor &rest)
{
    setTextColour(focused ? QColor(Qt::white) : rest);
}

void PanelButton::showFocus(bool focused, const QColor &rest, const FocusFont &font)
{
    showFocus(focused, rest);
    setLook(focused ? font.focusPoints : font.restPoints, focused, font.italic);
}

void PanelButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}
