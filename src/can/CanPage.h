#pragma once

#include <QWidget>

class ColourScheme;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class WheelGlyph;

// The content of the options page "CAN" (" CAN-Bus Internals"): the read-outs of the
// decoded vehicle states, the steering-wheel glyphs, the CAN trace and its four buttons.
// The CAN link writes the captions; the page only shows them.
class CanPage : public QWidget {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral(" CAN-Bus Internals");

    explicit CanPage(QWidget *parent = nullptr);
    // The read-outs take the main colour.
    void registerColours(ColourScheme &colours);

    QLabel *keypos = nullptr;
    QLabel *gear = nullptr;
    QLabel *light = nullptr;
    QLabel *id = nullptr;
    QLabel *rpm = nullptr;
    QLabel *speed = nullptr;
    WheelGlyph *leftwalve = nullptr;
    WheelGlyph *rightwalve = nullptr;
    WheelGlyph *mode = nullptr;
    WheelGlyph *audio = nullptr;
    QPlainTextEdit *CAN2COMMemo = nullptr;
    QPushButton *BitBtn12 = nullptr; // "Restart COM"
    QPushButton *BitBtn13 = nullptr; // "Stop COM"
    QPushButton *BitBtn14 = nullptr; // "Save TRACE"
    QPushButton *BitBtn15 = nullptr; // "Clear TRACE"

private:
    QWidget *buildReadouts();
    QWidget *buildGlyphs();
    QWidget *buildTrace();
};
