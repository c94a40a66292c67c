#pragma once

#include <QColor>
#include <QWidget>

// The car on the map: a ring on a pin, drawn over the map's centre. It lets the mouse
// through to the map.
class CarMarker : public QWidget {
    Q_OBJECT
public:
    explicit CarMarker(QWidget *parent = nullptr);
    void setColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::red;
};
