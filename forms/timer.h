#pragma once
// A timer control: while enabled with an interval above 0 it ticks every
// interval milliseconds on the user-interface thread, through its loop.
// Enabling starts the count; changing the interval of an enabled timer
// restarts it. A tick does not re-enter its own handler: a tick that falls
// due while the handler runs (inside a wait) comes after it returns.

#include <cstdint>
#include <functional>

#include "forms/control.h"

namespace forms {

class Timer : public Control {
  public:
    Timer(Form& f, std::string name, int index, Control* container);
    ~Timer() override;

    // Enabled is the control's enabled flag; timers start disabled.
    int32_t interval() const { return interval_; }
    void setInterval(int32_t ms);
    bool running() const { return enabled() && interval_ > 0; }

    std::function<void()> Tick;  // the Timer event

    // Called by the loop when the tick is due.
    void fireTick();
    bool inTick() const { return inTick_; }

    // The loop's bookkeeping: when the next tick falls due.
    int64_t dueMs = 0;
    uint64_t scheduleId = 0;
    bool canTakeFocus() const override { return false; }

  protected:
    void enabledChanged() override;

  private:
    int32_t interval_ = 0;
    bool inTick_ = false;
};

}  // namespace forms
