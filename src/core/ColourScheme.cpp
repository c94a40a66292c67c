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

void ColourScheme::addPaletteUser(std::function<void(const Palette &)> user)
{
    m_paletteUsers.append(std::move(user));
}

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
    return m_night ? nightPalette(main()) : dayPalette(main());
}

ColourScheme::Palette ColourScheme::dayPalette(const QColor &accent)
{
    return {accent, QColor(Qt::black), QColor(Qt::black), QColor(Qt::white), QColor(Qt::red), 1.0};
}

namespace {

// The colour's hue at a value (brightness) of value/255, its saturation scaled by
// percent: paler is lighter where the hue itself is dark (blue).
QColor atValue(const QColor &colour, int value, int saturationPercent = 100)
{
    const QColor hsv = colour.toHsv();
    return QColor::fromHsv(hsv.hsvHue(), hsv.hsvSaturation() * saturationPercent / 100, value);
}

} // namespace

ColourScheme::Palette ColourScheme::nightPalette(const QColor &accent)
{
    // Dark bars in the accent's hue with their text a little lighter, plain text a dim
    // warm grey; the warning keeps a strong red, which the eye takes at night best.
    return {atValue(accent, 80),      QColor(Qt::black),
            atValue(accent, 200, 50), atValue(QColor(0xE0, 0xD0, 0xB8), 150),
            QColor(0xD0, 0x20, 0x20), 0.35};
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
    for (const auto &use : m_paletteUsers)
        use(p);
}
