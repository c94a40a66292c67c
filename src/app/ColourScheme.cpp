#include "app/ColourScheme.h"

#include "app/ColourValue.h"

namespace {

void setText(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

QColor ColourScheme::main() const { return ColourValue::toQColor(m_main); }

void ColourScheme::add(QWidget *widget, Role role) { m_entries.append({widget, role}); }

void ColourScheme::add(Painter painter) { m_painters.append(std::move(painter)); }

void ColourScheme::changecolors()
{
    const QColor m = main();
    for (const Entry &e : m_entries) {
        if (!e.widget)
            continue;
        switch (e.role) {
        case Role::BackgroundMain:
            setBackground(e.widget, m);
            break;
        case Role::TextMain:
            setText(e.widget, m);
            break;
        case Role::BackgroundBlack:
            setBackground(e.widget, Qt::black);
            break;
        case Role::TextBlack:
            setText(e.widget, Qt::black);
            break;
        case Role::TextWhite:
            setText(e.widget, Qt::white);
            break;
        }
    }
    for (const Painter &paint : m_painters)
        paint(m);
}
