#pragma once

#include <QWidget>

#include <array>

class PanelButton;

// The bar of the five main-menu entries. Exactly one entry is highlighted: the one whose
// caption is white. The knob moves the highlight; a click acts on an entry at once.
class MainMenuBar : public QWidget {
    Q_OBJECT
public:
    enum Entry { DriversLog, Media, Poi, Options, Exit, EntryCount };

    explicit MainMenuBar(QWidget *parent = nullptr);

    PanelButton *entry(int i) const { return m_entries[size_t(i)]; }
    // The entry with the white caption, -1 when none is white.
    int highlighted() const;
    void highlight(int i);

    void Button11Click(); // next main: one entry right, no wrap
    void Button10Click(); // prev main: one entry left, no wrap
    void Button12Click(); // select main: act on the highlighted entry

signals:
    void activated(int entry);

private:
    void setHighlighted(int i, bool on);

    std::array<PanelButton *, EntryCount> m_entries{};
};
