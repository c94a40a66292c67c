#pragma once

#include <QColor>
#include <QWidget>

// A flat bar from 0 to a maximum, drawn in one colour on black: the CPU meter and the
// progress bars. An optional text is centred on it.
class LevelBar : public QWidget {
    Q_OBJECT
public:
    explicit LevelBar(QWidget *parent = nullptr);

    void setMaximum(int maximum);
    int maximum() const { return m_maximum; }
    void setValue(int value);
    int value() const { return m_value; }
    void setBarColour(const QColor &colour);
    QColor barColour() const { return m_colour; }
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_maximum = 100;
    int m_value = 0;
    QColor m_colour = Qt::white;
    QString m_text;
};
