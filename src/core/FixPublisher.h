#pragma once

#include "core/PositionSource.h"

#include <vector>

// The subscribers of a position source and the publishing of a fix to them. A subscriber
// that throws ends only its own turn: the others still hear of the fix.
class FixPublisher : public PositionSource {
public:
    void subscribe(Subscriber subscriber) override;
    void publish(const Fix &fix) const;

private:
    std::vector<Subscriber> m_subscribers;
};
