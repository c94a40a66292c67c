#pragma once

#include <QWidget>

// One colour field of the colour page; holds a colour in the configuration's 0x00BBGGRR
// layout and reports clicks.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(quint32 bgr, QWidget *parent = nullptr);

    quint32 colour() const { return m_bgr; }
    void setColour(quint32 bgr);

signals:
    void clicked();
    void colourChanged(quint32 bgr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    quint32 m_bgr;
};
