#pragma once

#include "core/IntervalTimer.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <memory>

struct input_event;

// Turns the records of a Linux input device into command keys: a turn gives R (positive
// steps) or L (negative), one key per detent; a short press gives C, a press held for the
// long-press time gives Q once, as soon as the time is up. High-resolution wheels report
// 120 units per detent; their fine steps add up to whole detents, and once such an axis
// has spoken its coarse twin is ignored so that a detent is not counted twice. A turn
// during a press cancels the press. After the kernel dropped records (its buffer was
// full) everything up to the next report is ignored and a press in progress is forgotten.
class KnobDecoder {
public:
    using KeySink = std::function<void(quint16 key)>;
    static constexpr int HighResolutionDetent = 120;
    // More keys than this from one record are not a knob being turned.
    static constexpr int MaxKeysPerRecord = 32;

    // The long-press timer is made with timers().
    KnobDecoder(int longPressMs, const IntervalTimer::Factory &timers, KeySink keys);
    ~KnobDecoder();
    KnobDecoder(const KnobDecoder &) = delete;
    KnobDecoder &operator=(const KnobDecoder &) = delete;

    void feed(const input_event &record);
    // Raw bytes as read from the device: whole records are decoded, a trailing part waits
    // for the rest.
    void feedBytes(const char *bytes, qsizetype count);
    // The device went away: a press in progress gives nothing.
    void reset();

    bool pressed() const { return m_pressed; }

private:
    void turn(int axis, int value);
    void accumulate(int &units, int value);
    void steps(int detents);
    void press(qint64 atMs);
    void release(qint64 atMs);
    void longPressElapsed();
    void cancelPress();

    int m_longPressMs;
    std::unique_ptr<IntervalTimer> m_longPress;
    KeySink m_keys;
    QByteArray m_pending;
    bool m_pressed = false;
    bool m_pressSpent = false; // Q given, or cancelled by a turn
    qint64 m_pressedAtMs = 0;
    bool m_dropping = false;
    bool m_highResWheel = false;
    bool m_highResHWheel = false;
    int m_wheelUnits = 0;
    int m_hwheelUnits = 0;
};
