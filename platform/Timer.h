#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace korvo {

// A repeating timer on the event loop, for logic that waits without a window of its own. Tests
// replace it with a fake that they tick by hand.
class Timer {
public:
    virtual ~Timer() = default;
    // Calls tick every interval until stopped; a running timer starts again.
    virtual void start(std::chrono::milliseconds interval, std::function<void()> tick) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
};

class Timers {
public:
    virtual ~Timers() = default;
    virtual std::unique_ptr<Timer> make() = 0;
};

} // namespace korvo
