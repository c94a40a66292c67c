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

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
