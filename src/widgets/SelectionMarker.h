#pragma once

#include <QColor>
#include <QPoint>

class QWidget;

// The selection marker: a textured bar (Shape1), a line from the bar to the right
// (Shape2) and a round knob on the bar (Shape3), moved and shown together.
class SelectionMarker {
public:
    static constexpr int BarWidth = 26;
    static constexpr int BarHeight = 28;

    // The three pieces become children of parent, above its other children.
    explicit SelectionMarker(QWidget *parent);

    // Places the bar; the line and the knob follow it.
    void placeBar(int left, int top);
    QPoint barPosition() const;

    void show();
    void hide();
    bool isVisible() const;
    void setColour(const QColor &main);

    QWidget *Shape1 = nullptr; // bar
    QWidget *Shape2 = nullptr; // line
    QWidget *Shape3 = nullptr; // knob
};
