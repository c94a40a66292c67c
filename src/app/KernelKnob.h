#pragma once

#include "core/IntervalTimer.h"
#include "platform/KnobDevice.h"

#include <memory>

class TForm1;

// The knob read from the kernel, wired into the window: its keys go through the same
// dispatcher as the keyboard's, its messages into the system messages, and its LED
// pulses while a camera alert is up.
class KernelKnob {
public:
    // The settings are read from the window's configuration (loaded by now). Empty timers:
    // Qt timers.
    explicit KernelKnob(TForm1 &form, KnobDevice::Places places = KnobDevice::systemPlaces(),
                        IntervalTimer::Factory timers = {});
    ~KernelKnob();

    KnobDevice &device() { return *m_device; }

private:
    std::unique_ptr<KnobDevice> m_device;
};
