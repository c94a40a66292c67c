#include "app/OdometerCheckpoints.h"

#include <cmath>
#include <utility>

OdometerCheckpoints::OdometerCheckpoints(const double &tripKm,
                                         std::unique_ptr<IntervalTimer> interval,
                                         std::function<void()> save)
    : m_tripKm(tripKm), m_savedKm(tripKm), m_interval(std::move(interval)), m_save(std::move(save))
{
    m_interval->setHandler([this] { intervalEnded(); });
}

void OdometerCheckpoints::odometerMoved()
{
    // Within a minute of the last save the end of the minute decides.
    if (!m_interval->isActive() && due())
        checkpoint();
}

bool OdometerCheckpoints::due() const
{
    return std::isfinite(m_tripKm) && std::abs(m_tripKm - m_savedKm) >= MinimumKm;
}

void OdometerCheckpoints::checkpoint()
{
    m_savedKm = m_tripKm;
    m_save();
    m_interval->start(MinimumIntervalMs);
}

// The car may have stopped within the minute: what it drove until then is saved now.
void OdometerCheckpoints::intervalEnded()
{
    m_interval->stop();
    if (due())
        checkpoint();
}
