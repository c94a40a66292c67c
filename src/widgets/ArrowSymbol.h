#pragma once

#include <QColor>
#include <QWidget>

// A triangle pointing up, down, left or right: the symbol-font arrows of the skin ("5",
// "6", "3", "4"). It keeps that character as its text and draws the shape; a mouse click
// emits clicked().
class ArrowSymbol : public QWidget {
    Q_OBJECT
public:
    enum class Direction { Up, Down, Left, Right };

    explicit ArrowSymbol(Direction direction, QWidget *parent = nullptr);

    Direction direction() const { return m_direction; }
    // The symbol-font character of the direction.
    QString text() const;
    void setColour(const QColor &colour);
    QColor colour() const { return m_colour; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Direction m_direction;
    QColor m_colour = Qt::white;
};
