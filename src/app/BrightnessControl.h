#pragma once

#include "platform/GammaRamp.h"

#include <QObject>

class QAbstractSlider;
class QLabel;
class TurnKnob;

// The brightness knob of the options page "Screen" (0..256, 128 standard): every change
// builds the gamma ramp, applies it to the display, and shows the position.
class BrightnessControl : public QObject {
    Q_OBJECT
public:
    static constexpr int Standard = 128;

    // picture may be null.
    BrightnessControl(QAbstractSlider &knob, QLabel &label, TurnKnob *picture, GammaRamp &gamma,
                      QObject *parent = nullptr);

    void Knob1Change(int position);

    // Entry i = i * (position + 128), at most 65535: 128 is the identity ramp.
    static GammaRamp::Table ramp(int position);
    // The position as a number, "STD" at the standard.
    static QString labelText(int position);

private:
    QLabel &m_label;
    TurnKnob *m_picture;
    GammaRamp &m_gamma;
};
