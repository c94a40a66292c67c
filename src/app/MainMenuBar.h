#pragma once

#include <QWidget>

#include <array>

class PanelButton;

// The bar of the five main-menu entries. At most one entry is selected, and it shows
// with a white caption. The knob moves the selection; a click acts on an entry at once.
class MainMenuBar : public QWidget {
    Q_OBJECT
public:
    enum Entry { DriversLog, Media, Poi, Options, Exit, EntryCount };

    explicit MainMenuBar(QWidget *parent = nullptr);

    PanelButton *entry(int i) const { return m_entries[size_t(i)]; }
    // The selected entry, -1 when none is.
    int highlighted() const { return m_selected; }
    // The captions' text colours: the entries' and the selected one's.
    void setCaptionColours(const QColor &normal, const QColor &selected);
    void highlight(int i);

    void Button11Click(); // next main: one entry right, no wrap
    void Button10Click(); // prev main: one entry left, no wrap
    void Button12Click(); // select main: act on the highlighted entry

signals:
    void activated(int entry);

private:
    void showLook(int i, bool selected);

    std::array<PanelButton *, EntryCount> m_entries{};
    int m_selected = -1;
    QColor m_normal = Qt::black;
    QColor m_selectedColour = Qt::white;
};
