#pragma once

#include <QPixmap>
#include <QWidget>

// A picture fitted into the widget with its proportions kept, centred on black. The
// scaled copy is made once per picture and size, not on every paint.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void setPixmap(const QPixmap &pixmap);
    const QPixmap &pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rescale();

    QPixmap m_pixmap;
    QPixmap m_scaled;
};
