#pragma once
// The production event loop: the forms' loop on top of Qt's. Waiting blocks
// in Qt's event dispatcher until an event, a timer or a wake-up arrives, so
// `while (!flag) loop.waitEvents();` costs no processor time while nothing
// happens. Every running forms::Timer has a QTimer; posted actions and
// wake-ups are queued calls on an object of the user-interface thread.

#include <QElapsedTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

#include "forms/event_loop.h"

class QObject;
class QTimer;

namespace qtview {

class QtEventLoop final : public forms::EventLoop {
  public:
    // Needs a QCoreApplication (a QApplication when forms are shown). The
    // loop belongs to the thread that creates it, the user-interface thread.
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void doEvents() override;
    void waitEvents() override;
    void post(std::function<void()> action) override;
    void wake() override;
    int64_t nowMs() const override;
    void timerChanged(forms::Timer& timer) override;
    void timerRemoved(forms::Timer& timer) override;
    void quit() override;
    bool quitting() const override { return quitting_; }

    // How many forms timers currently have a QTimer, and how many of those
    // are running (diagnostics and tests).
    int timerCount() const { return static_cast<int>(timers_.size()); }
    int runningTimerCount() const;

  private:
    struct TimerEntry;
    void onTimeout(forms::Timer* timer);
    void runTick(forms::Timer* timer);
    void fireLateTick(forms::Timer* timer, uint64_t id);

    std::unique_ptr<QObject> context_;  // receiver of queued calls, in the UI thread
    std::unordered_map<forms::Timer*, std::unique_ptr<TimerEntry>> timers_;
    uint64_t nextTimerId_ = 0;
    std::atomic<bool> wakePending_{false};
    QElapsedTimer clock_;
    bool quitting_ = false;
};

}  // namespace qtview
