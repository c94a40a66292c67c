#include "can/SteeringWheel.h"

#include "core/CommandKey.h"
#include "core/TraceSink.h"
#include "can/CanPage.h"
#include "can/WheelGlyph.h"

#include <exception>

namespace {

enum Target { Left, Right, Mode, Audio };

struct WheelRow {
    Target target;
    const QString &glyph;
    const char *trace;
    quint16 key; // 0: none
};

// States 1..12.
const WheelRow &row(int state)
{
    static const WheelRow rows[] = {
        {Left, WheelGlyph::Up, "CAN_WheelButton_left_up ", CommandKey::R},
        {Left, WheelGlyph::Down, "CAN_WheelButton_left_down ", CommandKey::L},
        {Left, WheelGlyph::Press, "CAN_WheelButton_left_press ", CommandKey::C},
        {Left, WheelGlyph::LongPress, "CAN_WheelButton_left_press_LT1SEC ", CommandKey::Q},
        {Mode, WheelGlyph::Press, "CAN_WheelButton_MODE_press ", 0},
        {Mode, WheelGlyph::LongPress, "CAN_WheelButton_MODE_press_LT1SEC ", 0},
        {Right, WheelGlyph::Up, "CAN_WheelButton_right_up ", 0},
        {Right, WheelGlyph::Down, "CAN_WheelButton_right_down ", 0},
        {Right, WheelGlyph::Press, "CAN_WheelButton_right_press ", CommandKey::C},
        {Right, WheelGlyph::LongPress, "CAN_WheelButton_right_press_LT1SEC ", CommandKey::Q},
        {Audio, WheelGlyph::Press, "CAN_WheelButton_AUDIO_press ", 0},
        {Audio, WheelGlyph::LongPress, "CAN_WheelButton_AUDIO_press_LT1SEC ", CommandKey::Q},
    };
    return rows[state - 1];
}

const QString TracePrefix = QStringLiteral("Wheel Status is ");

} // namespace

SteeringWheel::SteeringWheel(CanPage &page, TraceSink &trace, KeyDown keyDown,
                             std::unique_ptr<IntervalTimer> clearTimer)
    : m_page(page), m_trace(trace), m_keyDown(std::move(keyDown)),
      m_clearTimer(std::move(clearTimer))
{
    m_clearTimer->setHandler([this] { CAN2COMClearTimerTimer(); });
}

WheelGlyph *SteeringWheel::glyph(int which) const
{
    switch (which) {
    case Left:
        return m_page.leftwalve;
    case Right:
        return m_page.rightwalve;
    case Mode:
        return m_page.mode;
    default:
        return m_page.audio;
    }
}

void SteeringWheel::HandleWheelState(qint32 state)
{
    if (state == 0)
        return;
    if (state < 1 || state > 12) {
        m_trace.AddTrace(TracePrefix + QStringLiteral("invalid "));
        return;
    }
    const WheelRow &r = row(state);
    // Setting the interval starts a stopped countdown and leaves a running one alone.
    if (!m_clearTimer->isActive())
        m_clearTimer->start(ClearMs);
    glyph(r.target)->setText(r.glyph);
    m_trace.AddTrace(TracePrefix + QString::fromLatin1(r.trace));
    if (r.key != 0)
        SendWheelKey(r.key);
}

void SteeringWheel::SendWheelKey(quint16 key)
{
    try {
        if (m_keyDown)
            m_keyDown(key);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void SteeringWheel::CAN2COMClearTimerTimer()
{
    m_clearTimer->stop();
    for (WheelGlyph *g : {m_page.leftwalve, m_page.rightwalve, m_page.mode, m_page.audio})
        g->setText(QString());
}
