#pragma once

#include <QColor>
#include <QLabel>

// A flat panel with a caption: the entry type of every knob-driven menu. It never takes
// the keyboard focus (the knob's focus is kept by a FocusRing); a mouse click emits
// clicked().
class PanelButton : public QLabel {
    Q_OBJECT
public:
    explicit PanelButton(const QString &caption, QWidget *parent = nullptr);

    void setTextColour(const QColor &colour);
    QColor textColour() const;
    void setBackgroundColour(const QColor &colour);
    // A transparent panel shows what lies below it.
    void clearBackground();

    // The font look of a focus change: size in points, bold, italic.
    void setLook(int points, bool bold, bool italic);

    // The knob's focus look of every menu: the focused entry's text is white, the others
    // show the menu's rest colour.
    void showFocus(bool focused, const QColor &rest);
    // Menus that mark the focus in the font too: bold at focusPoints with the focus,
    // regular at restPoints without.
    struct FocusFont {
        int restPoints = 0;
        int focusPoints = 0;
        bool italic = false;
    };
    void showFocus(bool focused, const QColor &rest, const FocusFont &font);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
