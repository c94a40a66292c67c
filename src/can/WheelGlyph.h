#pragma once

#include <QWidget>

// A glyph label of the "CAN" page (leftwalve, rightwalve, mode, audio). Its caption is
// the symbol-font character of the skin: 0xE1 up arrow, 0xE2 down arrow, "J" smiling
// face, "6" hourglass; it draws the Unicode equivalent (the hourglass as a shape), 40
// pixels, bold, lime green. An empty caption shows nothing.
class WheelGlyph : public QWidget {
    Q_OBJECT
public:
    static inline const QString Up = QString(QChar(0xE1));
    static inline const QString Down = QString(QChar(0xE2));
    static inline const QString Press = QStringLiteral("J");
    static inline const QString LongPress = QStringLiteral("6");

    explicit WheelGlyph(QWidget *parent = nullptr);

    QString text() const { return m_caption; }
    void setText(const QString &caption);
    // What is drawn for a caption: an arrow, a face, an hourglass or the caption itself.
    static QString shown(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
