#include "platform/KnobDecoder.h"

#include "core/CommandKey.h"

#include <linux/input.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The knob's push button: the PowerMate's BTN_0, a mouse-like button or an OK key.
bool isPushButton(int code)
{
    return (code >= BTN_MISC && code < BTN_MOUSE + 8) || code == KEY_ENTER || code == KEY_KPENTER ||
           code == KEY_OK || code == KEY_SELECT;
}

// Wrapping, not overflowing, on whatever time a record carries.
qint64 milliseconds(const input_event &record)
{
    return qint64(quint64(record.input_event_sec) * 1000U +
                  quint64(record.input_event_usec) / 1000U);
}

} // namespace

KnobDecoder::KnobDecoder(int longPressMs, const IntervalTimer::Factory &timers, KeySink keys)
    : m_longPressMs(longPressMs > 0 ? longPressMs : 1), m_longPress(timers()),
      m_keys(std::move(keys))
{
    m_longPress->setHandler([this] { longPressElapsed(); });
}

KnobDecoder::~KnobDecoder() = default;

void KnobDecoder::feedBytes(const char *bytes, qsizetype count)
{
    m_pending.append(bytes, count);
    constexpr qsizetype size = sizeof(input_event);
    qsizetype used = 0;
    for (; m_pending.size() - used >= size; used += size) {
        input_event record{};
        std::memcpy(&record, m_pending.constData() + used, size);
        feed(record);
    }
    m_pending.remove(0, used);
}

void KnobDecoder::feed(const input_event &record)
{
    if (record.type == EV_SYN) {
        if (record.code == SYN_DROPPED) {
            m_dropping = true;
            cancelPress();
            m_pressed = false;
        } else if (record.code == SYN_REPORT) {
            m_dropping = false;
        }
        return;
    }
    if (m_dropping)
        return;
    if (record.type == EV_REL) {
        turn(record.code, record.value);
    } else if (record.type == EV_KEY && isPushButton(record.code)) {
        if (record.value == 1)
            press(milliseconds(record));
        else if (record.value == 0)
            release(milliseconds(record));
    }
}

void KnobDecoder::reset()
{
    cancelPress();
    m_pressed = false;
    m_pending.clear();
    m_dropping = false;
    m_wheelUnits = 0;
    m_hwheelUnits = 0;
}

void KnobDecoder::turn(int axis, int value)
{
    switch (axis) {
    case REL_DIAL:
        steps(value);
        break;
    case REL_WHEEL:
        if (!m_highResWheel)
            steps(value);
        break;
    case REL_HWHEEL:
        if (!m_highResHWheel)
            steps(value);
        break;
    case REL_WHEEL_HI_RES:
        m_highResWheel = true;
        accumulate(m_wheelUnits, value);
        break;
    case REL_HWHEEL_HI_RES:
        m_highResHWheel = true;
        accumulate(m_hwheelUnits, value);
        break;
    default:
        break;
    }
}

void KnobDecoder::accumulate(int &units, int value)
{
    constexpr int most = MaxKeysPerRecord * HighResolutionDetent;
    units += std::clamp(value, -most, most);
    const int detents = units / HighResolutionDetent;
    units -= detents * HighResolutionDetent;
    steps(detents);
}

void KnobDecoder::steps(int detents)
{
    if (detents == 0)
        return;
    if (m_pressed)
        cancelPress();
    const quint16 key = detents > 0 ? CommandKey::R : CommandKey::L;
    const int count = std::min(std::abs(qint64(detents)), qint64(MaxKeysPerRecord));
    for (int i = 0; i < count; ++i)
        m_keys(key);
}

void KnobDecoder::press(qint64 atMs)
{
    if (m_pressed)
        return;
    m_pressed = true;
    m_pressSpent = false;
    m_pressedAtMs = atMs;
    m_longPress->start(m_longPressMs);
}

void KnobDecoder::release(qint64 atMs)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    m_longPress->stop();
    if (m_pressSpent)
        return;
    // The timer may not have had its turn yet when the UI thread was busy: the kernel's
    // time stamps of the two records decide.
    const qint64 held = qint64(quint64(atMs) - quint64(m_pressedAtMs));
    m_keys(held >= m_longPressMs ? CommandKey::Q : CommandKey::C);
}

void KnobDecoder::longPressElapsed()
{
    m_longPress->stop();
    if (!m_pressed || m_pressSpent)
        return;
    m_pressSpent = true;
    m_keys(CommandKey::Q);
}

void KnobDecoder::cancelPress()
{
    m_pressSpent = true;
    m_longPress->stop();
}
