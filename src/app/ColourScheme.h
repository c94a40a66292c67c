#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

// The main colour and the colour pass (changecolors). Every screen registers its
// elements here once, with the role they take; the pass then sets each element's colour
// from its role. The pass keeps no state: it sets every colour each time it runs.
class ColourScheme {
public:
    enum class Role {
        BackgroundMain,  // background in the main colour
        TextMain,        // text in the main colour
        BackgroundBlack,
        TextBlack,
        TextWhite,
    };
    using Painter = std::function<void(const QColor &main)>;

    static constexpr quint32 BuiltInMainColour = 0x0099B8CD;

    quint32 mainColour() const { return m_main; }
    QColor main() const;
    // Stores the colour; the screens change at the next pass.
    void setMainColour(quint32 bgr) { m_main = bgr; }

    void add(QWidget *widget, Role role);
    // Elements that draw themselves (bars, lists, marker shapes) take the main colour here.
    void add(Painter painter);

    void changecolors();

private:
    struct Entry {
        QPointer<QWidget> widget;
        Role role;
    };
    QList<Entry> m_entries;
    QList<Painter> m_painters;
    quint32 m_main = BuiltInMainColour;
};
