#pragma once
// The event loop behind every form. Two implementations stand behind this
// interface: the production loop on Qt's event loop (qt/) and the
// deterministic test loop with a virtual clock (TestLoop).
//
// Everything runs on the user-interface thread except wake(), which another
// thread (the A/D driver's completion) may call.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace forms {

class Timer;

class EventLoop {
  public:
    virtual ~EventLoop() = default;

    // Runs what is pending now (posted events, due timers) and returns
    // without waiting. Handlers may call it: handlers can be re-entered.
    virtual void doEvents() = 0;

    // Blocks until at least one event or a due timer has been handled. The
    // form of every wait: while (!flag) loop.waitEvents();
    virtual void waitEvents() = 0;

    // Queues an action to run on the user-interface thread.
    virtual void post(std::function<void()> action) = 0;

    // Thread-safe: makes a blocked waitEvents() return so the waiting loop
    // re-checks its flag. Any thread may call it.
    virtual void wake() = 0;

    // Milliseconds on the loop's clock (virtual in tests).
    virtual int64_t nowMs() const = 0;

    // A timer's enabled flag or interval changed; the loop (re)schedules it.
    virtual void timerChanged(Timer& timer) = 0;
    // A timer is destroyed; the loop forgets it.
    virtual void timerRemoved(Timer& timer) = 0;

    // "End": the program ends; no further event runs.
    virtual void quit() = 0;
    virtual bool quitting() const = 0;
};

// Thrown by the test loop when a wait can never end.
class WaitNeverEnds : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace forms
