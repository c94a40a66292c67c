#pragma once

#include "core/Fix.h"

#include <functional>

// Where the car is: a receiver (or anything else that knows) publishes each fix to every
// subscriber, in the order they subscribed, on the UI thread.
class PositionSource {
public:
    using Subscriber = std::function<void(const Fix &)>;

    virtual ~PositionSource() = default;
    virtual void subscribe(Subscriber subscriber) = 0;
};
