#include "qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <algorithm>

#include "forms/timer.h"

namespace qtview {

struct QtEventLoop::TimerEntry {
    std::unique_ptr<QTimer> qtimer;
    uint64_t id = 0;
    // A tick fell due while the timer's own handler ran (the handler waits
    // inside): it comes once the handler has returned.
    bool missed = false;
    int64_t countFrom = 0;  // when the count towards the next tick last (re)started
};

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {
    clock_.start();
}

QtEventLoop::~QtEventLoop() {
    // The QTimers go first: their connections point at this loop.
    timers_.clear();
}

void QtEventLoop::doEvents() {
    if (quitting_) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventLoop::waitEvents() {
    if (quitting_) return;
    // Handles what is pending, or sleeps in the dispatcher until an event,
    // a timer or a wake-up arrives.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventLoop::post(std::function<void()> action) {
    if (quitting_ || !action) return;
    QMetaObject::invokeMethod(
        context_.get(),
        [this, action = std::move(action)] {
            if (!quitting_) action();
        },
        Qt::QueuedConnection);
}

void QtEventLoop::wake() {
    // Any thread. One queued wake-up at a time is enough: the waiting loop
    // re-checks its flag after each return.
    if (wakePending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        context_.get(), [this] { wakePending_.store(false); }, Qt::QueuedConnection);
}

int64_t QtEventLoop::nowMs() const {
    return clock_.elapsed();
}

void QtEventLoop::timerChanged(forms::Timer& timer) {
    auto it = timers_.find(&timer);
    if (!timer.running() || quitting_) {
        if (it != timers_.end()) it->second->qtimer->stop();
        return;
    }
    if (it == timers_.end()) {
        auto entry = std::make_unique<TimerEntry>();
        entry->id = ++nextTimerId_;
        entry->qtimer = std::make_unique<QTimer>();
        // Precise: the program's timers are few, and their order matters.
        entry->qtimer->setTimerType(Qt::PreciseTimer);
        forms::Timer* t = &timer;
        QObject::connect(entry->qtimer.get(), &QTimer::timeout, context_.get(), [this, t] { onTimeout(t); });
        it = timers_.emplace(&timer, std::move(entry)).first;
    }
    it->second->missed = false;
    it->second->countFrom = nowMs();
    // Enabling starts the count; a new interval restarts it.
    it->second->qtimer->start(timer.interval());
}

void QtEventLoop::timerRemoved(forms::Timer& timer) {
    timers_.erase(&timer);
}

int QtEventLoop::runningTimerCount() const {
    int n = 0;
    for (const auto& [t, entry] : timers_)
        if (entry->qtimer->isActive()) ++n;
    return n;
}

void QtEventLoop::onTimeout(forms::Timer* timer) {
    if (quitting_) return;
    auto it = timers_.find(timer);
    if (it == timers_.end()) return;
    if (timer->inTick()) {
        it->second->missed = true;
        return;
    }
    runTick(timer);
}

void QtEventLoop::runTick(forms::Timer* timer) {
    const int64_t started = nowMs();
    timer->fireTick();
    // The handler may have stopped or destroyed the timer.
    auto it = timers_.find(timer);
    if (it == timers_.end()) return;
    // Qt does not deliver a timer's timeout while its own slot runs; a tick
    // that fell due meanwhile is known by the time the handler took.
    const int64_t since = std::max(started, it->second->countFrom);
    if (timer->running() && nowMs() - since >= timer->interval()) it->second->missed = true;
    if (!it->second->missed) return;
    it->second->missed = false;
    uint64_t id = it->second->id;
    QMetaObject::invokeMethod(
        context_.get(), [this, timer, id] { fireLateTick(timer, id); }, Qt::QueuedConnection);
}

void QtEventLoop::fireLateTick(forms::Timer* timer, uint64_t id) {
    auto it = timers_.find(timer);
    // The id tells a timer apart from a later one at the same address.
    if (quitting_ || it == timers_.end() || it->second->id != id) return;
    if (!timer->running() || timer->inTick()) return;
    // The next tick is counted from this late one.
    it->second->countFrom = nowMs();
    it->second->qtimer->start(timer->interval());
    runTick(timer);
}

void QtEventLoop::quit() {
    if (quitting_) return;
    quitting_ = true;
    for (auto& [t, entry] : timers_)
        entry->qtimer->stop();
    QCoreApplication::quit();
}

}  // namespace qtview
