#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

// The main colour and the colour pass (changecolors). Every screen registers its
// elements here once, with the purpose they serve; the pass then sets each element's
// colour from the palette's colour for that purpose. The pass keeps no state: it sets
// every colour each time it runs.
class ColourScheme {
public:
    enum class Role {
        AccentBackground, // bars and panels in the accent (the configured main colour)
        AccentText,       // text in the accent
        Background,       // the screens' ground
        TextOnAccent,     // text over an accent background
        Text,             // plain text and the focused entry
    };
    // The colours by purpose. The day palette is the configured main colour on black; the
    // night palette keeps its hue at a fraction of its light, so nothing large is bright.
    struct Palette {
        QColor accent;
        QColor background;
        QColor textOnAccent;
        QColor text;
        QColor warning;
        qreal pictureLight = 1.0; // how much of their light photographs keep
        QColor colour(Role role) const;
    };
    using Painter = std::function<void(const QColor &accent)>;

    static constexpr quint32 BuiltInMainColour = 0x0099B8CD;

    quint32 mainColour() const { return m_main; }
    QColor main() const;
    Palette palette() const;
    static Palette dayPalette(const QColor &accent);
    static Palette nightPalette(const QColor &accent);
    bool isNight() const { return m_night; }
    // Takes effect at the next pass.
    void setNight(bool night) { m_night = night; }
    // Stores the colour; the screens change at the next pass.
    void setMainColour(quint32 bgr) { m_main = bgr; }

    void add(QWidget *widget, Role role);
    // Elements that draw themselves (bars, lists, marker shapes) take the main colour here.
    void add(Painter painter);
    // Elements with colours of several purposes take the whole palette.
    void addPaletteUser(std::function<void(const Palette &)> user);

    void changecolors();

private:
    struct Entry {
        QPointer<QWidget> widget;
        Role role;
    };
    QList<Entry> m_entries;
    QList<Painter> m_painters;
    QList<std::function<void(const Palette &)>> m_paletteUsers;
    quint32 m_main = BuiltInMainColour;
    bool m_night = false;
};
