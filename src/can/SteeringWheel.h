#pragma once

#include "core/IntervalTimer.h"

#include <QString>

#include <functional>
#include <memory>

class CanPage;
class TraceSink;
class WheelGlyph;

// The steering-wheel buttons as the CAN link reports them: a glyph for the button used,
// a trace line and, for the buttons that have one, a command key handed to the
// dispatcher at once. The glyphs clear themselves 500 ms after the first of a run of
// button events.
class SteeringWheel {
public:
    using KeyDown = std::function<void(quint16 &key)>;
    static constexpr int ClearMs = 500;

    SteeringWheel(CanPage &page, TraceSink &trace, KeyDown keyDown,
                  std::unique_ptr<IntervalTimer> clearTimer);

    // States 1..12 show a glyph, write their trace text and may send a key; 0 does
    // nothing; anything else writes "Wheel Status is invalid ".
    void HandleWheelState(qint32 state);
    // The key goes to the dispatcher with no shift state; its failures stay there.
    void SendWheelKey(quint16 key);
    void CAN2COMClearTimerTimer();
    IntervalTimer &CAN2COMClearTimer() { return *m_clearTimer; }

private:
    WheelGlyph *glyph(int which) const;

    CanPage &m_page;
    TraceSink &m_trace;
    KeyDown m_keyDown;
    std::unique_ptr<IntervalTimer> m_clearTimer;
};
