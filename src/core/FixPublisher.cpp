#include "core/FixPublisher.h"

#include "core/Guarded.h"

void FixPublisher::subscribe(Subscriber subscriber)
{
    if (subscriber)
        m_subscribers.push_back(std::move(subscriber));
}

void FixPublisher::publish(const Fix &fix) const
{
    // By index and by copy: a subscriber may subscribe another while it runs.
    for (size_t i = 0; i < m_subscribers.size(); ++i) {
        const Subscriber subscriber = m_subscribers[i];
        Guarded::run([&] { subscriber(fix); });
    }
}
