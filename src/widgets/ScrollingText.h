#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// One line of text that runs from right to left when it is wider than the widget's
// contents rectangle (inside its margins) and scrolling is on; a shorter text stands still. The
// track's path on the now-playing screen (MP3_scroller).
class ScrollingText : public QWidget {
    Q_OBJECT
public:
    static constexpr int StepMs = 40;
    static constexpr int StepPixels = 2;

    explicit ScrollingText(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    void setScrolling(bool on);
    bool isScrolling() const { return m_scrolling; }
    // Whether the text is moving now: scrolling on and the text too wide to stand still.
    bool isMoving() const { return m_timer.isActive(); }
    void setTextColour(const QColor &colour);
    QColor textColour() const { return m_colour; }
    // One step of the run; the timer calls it.
    void step();
    int offset() const { return m_offset; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int textWidth() const;
    void updateTimer();

    QString m_text;
    bool m_scrolling = false;
    int m_offset = 0;
    QColor m_colour = Qt::white;
    QTimer m_timer;
};
