#pragma once

#include <QColor>
#include <QWidget>

// The round frame of the letter dial and its needle. The heading is in degrees on a
// compass: 0 points up, 90 to the right.
class DialFace : public QWidget {
    Q_OBJECT
public:
    explicit DialFace(QWidget *parent = nullptr);

    void setHeading(int degrees);
    int heading() const { return m_heading; }
    void setColour(const QColor &colour);
    // The point at distance radius from the centre in direction degrees.
    static QPointF pointAt(const QPointF &centre, double radius, int degrees);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_heading = 0;
    QColor m_colour = Qt::white;
};
