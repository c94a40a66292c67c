#pragma once

#include "core/KeyContext.h"
#include "widgets/FocusRing.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class ColourScheme;
class DialFace;
class PanelButton;
class QLabel;
class TAUDIListbox;

// The letter dial (FilterPanel): 31 positions, A to Z, "$", "§", "^", "<<" and "fav", on a
// round frame with a needle. Turning the knob walks them with wrap-around; a focused
// letter preselects its first entry in the MP3 list, a chosen one jumps there.
class LetterDial : public QWidget, public KeyContext {
    Q_OBJECT
public:
    static constexpr int PositionCount = 31;

    struct Host {
        // The configured MP3 path, for "fav".
        std::function<QString()> mp3Path;
        // After a choice: the list back in its place, the menus hidden, the marker placed.
        std::function<void()> chosen;
    };

    LetterDial(TAUDIListbox &list, Host host, QWidget *parent = nullptr);

    // Shows the dial with the focus back on the last letter position (none before the
    // first use).
    void open();
    void close();

    void Panel52Enter(PanelButton *sender);
    void Panel52Click(PanelButton *sender);
    void Panel52Exit(PanelButton *sender);

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

    // The heading of the needle for a position's text; -1 for none.
    static int headingOf(const QString &position);
    QString lastLetterPosition() const { return m_lastLetter; }
    PanelButton *position(const QString &text) const;
    const QList<PanelButton *> &positions() const { return m_positions; }
    FocusRing &focus() { return m_focus; }

    DialFace *FilterFrame = nullptr;
    QLabel *MP3FilterLabel = nullptr;

private:
    TAUDIListbox &m_list;
    Host m_host;
    FocusRing m_focus;
    QList<PanelButton *> m_positions;
    QString m_lastLetter;
    QColor m_main;
};
