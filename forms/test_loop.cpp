#include "forms/test_loop.h"

#include <algorithm>
#include <chrono>

#include "forms/timer.h"

namespace forms {

TestLoop::~TestLoop() = default;

void TestLoop::post(std::function<void()> action) {
    posted_.push_back(std::move(action));
}

void TestLoop::wake() {
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        ++wakes_;
    }
    wakeCv_.notify_all();
}

int TestLoop::wakeCount() const {
    std::lock_guard<std::mutex> lock(wakeMutex_);
    return wakes_;
}

void TestLoop::timerChanged(Timer& timer) {
    auto it = std::find(timers_.begin(), timers_.end(), &timer);
    if (timer.running()) {
        timer.dueMs = now_ + timer.interval();
        timer.scheduleId = ++seq_;
        if (it == timers_.end()) timers_.push_back(&timer);
    } else if (it != timers_.end()) {
        timers_.erase(it);
    }
}

void TestLoop::timerRemoved(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void TestLoop::at(int64_t ms, std::function<void()> action, std::string label) {
    actions_.push_back({ms, ++seq_, std::move(action), std::move(label)});
}

bool TestLoop::nextDue(int64_t& due) const {
    bool any = false;
    for (auto& a : actions_)
        if (!any || a.due < due) due = a.due, any = true;
    for (Timer* t : timers_) {
        if (t->inTick()) continue;
        if (!any || t->dueMs < due) due = t->dueMs, any = true;
    }
    return any;
}

bool TestLoop::runDueOnce() {
    if (quitting_) return false;
    if (!posted_.empty()) {
        auto fn = std::move(posted_.front());
        posted_.erase(posted_.begin());
        trace_.push_back("t=" + std::to_string(now_) + " post");
        fn();
        return true;
    }
    // The earliest due item among scripted actions and running timers,
    // ties broken by the order they were scheduled.
    const Action* bestAction = nullptr;
    Timer* bestTimer = nullptr;
    int64_t bestDue = 0;
    uint64_t bestSeq = 0;
    for (auto& a : actions_) {
        if (a.due > now_) continue;
        if ((!bestAction && !bestTimer) || a.due < bestDue || (a.due == bestDue && a.seq < bestSeq)) {
            bestAction = &a, bestTimer = nullptr, bestDue = a.due, bestSeq = a.seq;
        }
    }
    for (Timer* t : timers_) {
        if (t->inTick() || t->dueMs > now_) continue;
        if ((!bestAction && !bestTimer) || t->dueMs < bestDue ||
            (t->dueMs == bestDue && t->scheduleId < bestSeq)) {
            bestAction = nullptr, bestTimer = t, bestDue = t->dueMs, bestSeq = t->scheduleId;
        }
    }
    if (bestAction) {
        Action a = std::move(*const_cast<Action*>(bestAction));
        actions_.erase(actions_.begin() + (bestAction - actions_.data()));
        trace_.push_back("t=" + std::to_string(now_) + " " + (a.label.empty() ? "action" : a.label));
        a.fn();
        return true;
    }
    if (bestTimer) {
        // The next tick is counted from now, as a window timer restarts its
        // count when it fires.
        bestTimer->dueMs = now_ + bestTimer->interval();
        bestTimer->scheduleId = ++seq_;
        trace_.push_back("t=" + std::to_string(now_) + " " + bestTimer->displayName());
        bestTimer->fireTick();
        return true;
    }
    return false;
}

void TestLoop::countSpin() {
    if (spinInstant_ != now_) {
        spinInstant_ = now_;
        spinsAtNow_ = 0;
    }
    if (++spinsAtNow_ > spinLimit_)
        fail("the program keeps calling DoEvents at t=" + std::to_string(now_) +
             " ms without time moving: a loop that never waits");
}

void TestLoop::fail(const std::string& why) const {
    throw WaitNeverEnds("TestLoop: " + why);
}

void TestLoop::doEvents() {
    if (quitting_) return;
    if (doEventsCost_ > 0) now_ += doEventsCost_;
    countSpin();
    int guard = 0;
    while (runDueOnce()) {
        if (++guard > 100000) fail("events keep arriving at t=" + std::to_string(now_) + " ms");
    }
}

void TestLoop::waitEvents() {
    if (quitting_) return;
    countSpin();
    if (runDueOnce()) {
        while (runDueOnce()) {
        }
        return;
    }
    if (externalWakeTimeoutMs_ > 0) {
        // Another thread may finish first: give it up to the real-time limit
        // before virtual time jumps ahead.
        std::unique_lock<std::mutex> lock(wakeMutex_);
        bool woken = wakeCv_.wait_for(lock, std::chrono::milliseconds(externalWakeTimeoutMs_),
                                      [&] { return wakes_ > wakesSeen_; });
        wakesSeen_ = wakes_;
        if (woken) return;
    }
    int64_t due = 0;
    if (!nextDue(due))
        fail("a wait can never end at t=" + std::to_string(now_) +
             " ms: nothing is pending, no timer is running and no user action is scheduled");
    if (due > timeLimit_)
        fail("a wait runs past the time limit of " + std::to_string(timeLimit_) +
             " ms (next event at t=" + std::to_string(due) + ")");
    if (due > now_) now_ = due;
    while (runDueOnce()) {
    }
}

void TestLoop::runUntil(int64_t ms) {
    while (runDueOnce()) {
    }
    int64_t due = 0;
    while (!quitting_ && nextDue(due) && due <= ms) {
        if (due > now_) now_ = due;
        while (runDueOnce()) {
        }
    }
    if (ms > now_) now_ = ms;
}

}  // namespace forms
