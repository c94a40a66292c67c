#pragma once

#include "core/IntervalTimer.h"

#include <functional>
#include <memory>

// Saves the settings while the car drives, so that a power cut loses little of the trip:
// once the odometer has gone at least MinimumKm past the last save, and never more often
// than once per MinimumIntervalMs, so that a memory card is not worn by a save per fix.
class OdometerCheckpoints {
public:
    static constexpr double MinimumKm = 1.0;
    static constexpr int MinimumIntervalMs = 60 * 1000;

    // tripKm is read whenever the odometer moves and when the interval ends; the value it
    // holds now counts as saved.
    OdometerCheckpoints(const double &tripKm, std::unique_ptr<IntervalTimer> interval,
                        std::function<void()> save);

    // After each step of the odometer.
    void odometerMoved();

private:
    bool due() const;
    void checkpoint();
    void intervalEnded();

    const double &m_tripKm;
    double m_savedKm;
    std::unique_ptr<IntervalTimer> m_interval; // runs for a minute after each save
    std::function<void()> m_save;
};
