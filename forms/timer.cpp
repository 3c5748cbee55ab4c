#include "forms/timer.h"

#include "forms/event_loop.h"
#include "forms/form.h"

namespace forms {

Timer::Timer(Form& f, std::string name, int index, Control* container)
    : Control(f, ControlKind::Timer, std::move(name), index, container) {
    setVisible(false);
    setEnabled(false);  // timers start disabled; the loop is told when enabled
}

Timer::~Timer() {
    loop().timerRemoved(*this);
}

void Timer::setInterval(int32_t ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    loop().timerChanged(*this);
}

void Timer::enabledChanged() {
    loop().timerChanged(*this);
}

void Timer::fireTick() {
    if (inTick_ || !running()) return;
    inTick_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inTick_};
    fire(Tick);
}

}  // namespace forms
