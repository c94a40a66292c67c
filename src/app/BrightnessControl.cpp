#include "app/BrightnessControl.h"

#include "widgets/TurnKnob.h"

#include <QAbstractSlider>
#include <QLabel>

BrightnessControl::BrightnessControl(QAbstractSlider &knob, QLabel &label, TurnKnob *picture,
                                     GammaRamp &gamma, QObject *parent)
    : QObject(parent), m_label(label), m_picture(picture), m_gamma(gamma)
{
    connect(&knob, &QAbstractSlider::valueChanged, this, &BrightnessControl::Knob1Change);
}

GammaRamp::Table BrightnessControl::ramp(int position)
{
    const qint64 factor = qBound(0, position, 256) + 128;
    GammaRamp::Table table{};
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = quint16(qMin<qint64>(qint64(i) * factor, 65535));
    return table;
}

QString BrightnessControl::labelText(int position)
{
    return position == Standard ? QStringLiteral("STD") : QString::number(position);
}

void BrightnessControl::Knob1Change(int position)
{
    m_gamma.apply(ramp(position));
    m_label.setText(labelText(position));
    if (m_picture)
        m_picture->setPosition(position - Standard);
}
