#pragma once

#include <QColor>
#include <QWidget>

// The turn-knob picture beside the brightness control: a round knob whose mark points at
// a position from -128 (far left) through 0 (straight up) to 128 (far right).
class TurnKnob : public QWidget {
    Q_OBJECT
public:
    explicit TurnKnob(QWidget *parent = nullptr);

    void setPosition(int position);
    int position() const { return m_position; }
    // Face and border of the knob.
    void setFaceColour(const QColor &colour);
    QColor faceColour() const { return m_face; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_position = 0;
    QColor m_face = Qt::gray;
};
