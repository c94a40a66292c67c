#include "core/ColourScheme.h"

#include "core/ColourValue.h"

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

QColor ColourScheme::Palette::colour(Role role) const
{
    switch (role) {
    case Role::AccentBackground:
    case Role::AccentText:
        return accent;
    case Role::Background:
        return background;
    case Role::TextOnAccent:
        return textOnAccent;
    case Role::Text:
        return text;
    }
    return text;
}

ColourScheme::Palette ColourScheme::palette() const
{
    return {main(), QColor(Qt::black), QColor(Qt::black), QColor(Qt::white), QColor(Qt::red)};
}

void ColourScheme::changecolors()
{
    const Palette p = palette();
    for (const Entry &e : m_entries) {
        if (!e.widget)
            continue;
        const QColor c = p.colour(e.role);
        if (e.role == Role::AccentBackground || e.role == Role::Background)
            setBackground(e.widget, c);
        else
            setText(e.widget, c);
    }
    for (const Painter &paint : m_painters)
        paint(p.accent);
}
