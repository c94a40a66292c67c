#include "app/KernelKnob.h"

#include "app/OptionsScreen.h"
#include "app/TForm1.h"
#include "core/QtIntervalTimer.h"
#include "gps/CameraWarning.h"

KernelKnob::KernelKnob(TForm1 &form, KnobDevice::Places places, IntervalTimer::Factory timers)
{
    if (!timers)
        timers = [] {
            return QtIntervalTimer::make();
        };
    const Configuration &settings = form.configuration();
    m_device = std::make_unique<KnobDevice>(
        KnobDevice::Settings{settings.knobDevice(), settings.knobLongPressMs()},
        KnobDevice::Wiring{[&form](quint16 key) { form.dispatcher().FormKeyDown(key); },
                           [&form](const QString &line) { form.options()->appendSysMessage(line); },
                           std::move(timers)},
        std::move(places));
    QObject::connect(form.cameraWarning(), &CameraWarning::alertShown, m_device.get(),
                     [device = m_device.get()](bool up) { device->setAlert(up); });
}

KernelKnob::~KernelKnob() = default;
