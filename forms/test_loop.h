#pragma once
// The deterministic event loop of the tests. Time is virtual and moves only
// while the program waits: when nothing is due, waitEvents() jumps the clock
// to the next timer tick or scripted user action. A wait that could never
// end (nothing pending, no timer running, no action scheduled) throws
// WaitNeverEnds with a clear message instead of hanging, and so does a wait
// that runs past the time limit or a loop that spins without time moving.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "forms/event_loop.h"

namespace forms {

class TestLoop : public EventLoop {
  public:
    TestLoop() = default;
    ~TestLoop() override;

    void doEvents() override;
    void waitEvents() override;
    void post(std::function<void()> action) override;
    void wake() override;
    int64_t nowMs() const override { return now_; }
    void timerChanged(Timer& timer) override;
    void timerRemoved(Timer& timer) override;
    void quit() override { quitting_ = true; }
    bool quitting() const override { return quitting_; }

    // Schedules a user action at a virtual time (ms from the start). Actions
    // at the same time run in the order they were scheduled.
    void at(int64_t ms, std::function<void()> action, std::string label = "");
    // Runs everything due up to `ms` of virtual time, then sets the clock there.
    void runUntil(int64_t ms);
    void runFor(int64_t ms) { runUntil(now_ + ms); }
    // Runs what is pending now, without moving the clock.
    void runPending() { doEvents(); }

    // Virtual milliseconds each doEvents() costs (0 by default), for tests
    // of loops that only call doEvents() and never wait.
    void setDoEventsCost(int64_t ms) { doEventsCost_ = ms; }
    // A wait past this virtual time fails (default one virtual hour).
    void setTimeLimit(int64_t ms) { timeLimit_ = ms; }
    // doEvents()/waitEvents() calls allowed at one virtual instant.
    void setSpinLimit(int64_t n) { spinLimit_ = n; }

    // A test whose wait ends by another thread's wake() (a driver thread
    // completing a request) allows the loop to block for real, up to
    // `realTimeoutMs`, when nothing is scheduled.
    void allowExternalWakes(int64_t realTimeoutMs) { externalWakeTimeoutMs_ = realTimeoutMs; }

    // What ran, in order: "t=750 timer1", "t=20 click cmd(1)", "t=0 post".
    const std::vector<std::string>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }
    // How many wake() calls arrived (from any thread).
    int wakeCount() const;

  private:
    struct Action {
        int64_t due;
        uint64_t seq;
        std::function<void()> fn;
        std::string label;
    };
    bool runDueOnce();  // runs one due item; false when nothing is due now
    bool nextDue(int64_t& due) const;
    void countSpin();
    [[noreturn]] void fail(const std::string& why) const;

    int64_t now_ = 0;
    uint64_t seq_ = 0;
    std::vector<std::function<void()>> posted_;
    std::vector<Action> actions_;
    std::vector<Timer*> timers_;
    std::vector<std::string> trace_;
    int64_t doEventsCost_ = 0;
    int64_t timeLimit_ = 3600 * 1000;
    int64_t spinLimit_ = 5'000'000;
    int64_t spinsAtNow_ = 0;
    int64_t spinInstant_ = -1;
    bool quitting_ = false;
    int64_t externalWakeTimeoutMs_ = 0;
    mutable std::mutex wakeMutex_;
    std::condition_variable wakeCv_;
    int wakes_ = 0;
    int wakesSeen_ = 0;
};

}  // namespace forms
