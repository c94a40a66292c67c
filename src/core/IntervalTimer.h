#pragma once

#include <functional>
#include <memory>

// A repeating timer of the user-interface thread, behind an interface so that tests
// drive the link's timers with a clock of their own.
class IntervalTimer {
public:
    using Handler = std::function<void()>;
    using Factory = std::function<std::unique_ptr<IntervalTimer>()>;

    virtual ~IntervalTimer() = default;
    virtual void setHandler(Handler handler) = 0;
    // Starts the countdown with a full interval, also when it was running.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
};
