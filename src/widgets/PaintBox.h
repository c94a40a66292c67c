#pragma once

#include <QImage>
#include <QWidget>

// A fixed drawing area that shows a bitmap composed elsewhere, copied in one operation at
// (0, 0). A repaint from the window system shows the last bitmap again; before the first
// one the area is black.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
