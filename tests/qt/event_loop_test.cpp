// The production loop: an idle wait sleeps, another thread's wake-up ends a
// wait, posted actions run in order on the loop, timers tick in the order
// they fall due and never re-enter their own handler.

#include <sys/resource.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "forms/timer.h"
#include "qt_fixture.h"

namespace {

double processCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

using QtLoop = QtFormsTest;

TEST_F(QtLoop, PendingWaitSleepsUntilItsTimerFires) {
    forms::Form form(app, "frmWait");
    auto& timer = form.add<forms::Timer>("timer_Wait");
    bool flag = false;
    timer.Tick = [&] {
        flag = true;
        timer.setEnabled(false);
    };
    timer.setInterval(1500);
    timer.setEnabled(true);

    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processCpuSeconds();
    int returns = 0;
    while (!flag) {
        loop.waitEvents();
        ++returns;
    }
    const double cpu = processCpuSeconds() - cpuBefore;
    const double seconds = wall.elapsed() / 1000.0;

    EXPECT_GE(seconds, 1.4);
    EXPECT_LT(cpu, 0.10 * seconds) << "an idle wait spun: " << cpu << " s of processor time in " << seconds
                                   << " s, " << returns << " returns";
    EXPECT_LT(returns, 200) << "the wait keeps waking up";
}

TEST_F(QtLoop, WakeFromAnotherThreadEndsAWait) {
    std::atomic<bool> done{false};
    QElapsedTimer wall;
    wall.start();
    std::thread driver([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        done.store(true);
        loop.wake();
    });
    bool ended = waitUntil([&] { return done.load(); }, 5000);
    driver.join();
    EXPECT_TRUE(ended);
    EXPECT_GE(wall.elapsed(), 90);
    EXPECT_LT(wall.elapsed(), 2000) << "the wake-up did not end the wait";
}

TEST_F(QtLoop, ManyWakesFromManyThreadsAreSafe) {
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i)
                loop.wake();
            finished.fetch_add(1);
            loop.wake();
        });
    EXPECT_TRUE(waitUntil([&] { return finished.load() == 4; }));
    for (auto& t : threads)
        t.join();
    settle();
}

TEST_F(QtLoop, PostedActionsRunInOrderWhenTheLoopDispatches) {
    std::vector<int> ran;
    loop.post([&] { ran.push_back(1); });
    loop.post([&] {
        ran.push_back(2);
        loop.post([&] { ran.push_back(4); });
    });
    loop.post([&] { ran.push_back(3); });
    EXPECT_TRUE(ran.empty()) << "posting must not run the action at once";
    settle();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(QtLoop, TimersTickInTheOrderTheyFallDue) {
    forms::Form form(app, "frmTimers");
    std::vector<std::string> order;
    auto oneShot = [&](const char* name, int ms) {
        auto& t = form.add<forms::Timer>(name);
        t.Tick = [&order, &t] {
            order.push_back(t.name());
            t.setEnabled(false);
        };
        t.setInterval(ms);
        return &t;
    };
    // Enabled in an order different from their due times.
    forms::Timer* late = oneShot("late", 360);
    forms::Timer* early = oneShot("early", 40);
    forms::Timer* middle = oneShot("middle", 200);
    late->setEnabled(true);
    early->setEnabled(true);
    middle->setEnabled(true);
    EXPECT_EQ(loop.runningTimerCount(), 3);
    ASSERT_TRUE(waitUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<std::string>{"early", "middle", "late"}));
    EXPECT_EQ(loop.runningTimerCount(), 0);
}

TEST_F(QtLoop, RepeatingTimerTicksUntilDisabledAndIntervalChangeRestartsIt) {
    forms::Form form(app, "frmRepeat");
    auto& timer = form.add<forms::Timer>("timer1");
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.setInterval(30);
    timer.setEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return ticks >= 3; }));
    timer.setEnabled(false);
    const int atStop = ticks;
    // A disabled timer stays silent while the loop goes on waiting.
    int64_t until = loop.nowMs() + 150;
    waitUntil([&] { return loop.nowMs() >= until; }, 150);
    EXPECT_EQ(ticks, atStop);

    // A long interval set on a running timer restarts its count.
    timer.setEnabled(true);
    timer.setInterval(100000);
    until = loop.nowMs() + 150;
    waitUntil([&] { return loop.nowMs() >= until; }, 150);
    EXPECT_EQ(ticks, atStop);
}

TEST_F(QtLoop, DestroyedTimerLeavesTheLoop) {
    int ticks = 0;
    {
        forms::Form form(app, "frmGone");
        auto& timer = form.add<forms::Timer>("timer1");
        timer.Tick = [&] { ++ticks; };
        timer.setInterval(10);
        timer.setEnabled(true);
        EXPECT_EQ(loop.timerCount(), 1);
    }
    EXPECT_EQ(loop.timerCount(), 0);
    int64_t until = loop.nowMs() + 60;
    waitUntil([&] { return loop.nowMs() >= until; }, 60);
    EXPECT_EQ(ticks, 0);
}

TEST_F(QtLoop, TickHandlerThatWaitsIsNotReenteredAndTheMissedTickFollows) {
    forms::Form form(app, "frmBusy");
    auto& timer = form.add<forms::Timer>("timer_PeakHold");
    int depth = 0, maxDepth = 0, ticks = 0;
    int64_t firstReturn = -1, secondTick = -1;
    timer.Tick = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1) {
            // Two intervals fall due while this handler waits.
            int64_t until = loop.nowMs() + 230;
            waitUntil([&] { return loop.nowMs() >= until; }, 230);
            firstReturn = loop.nowMs();
        } else if (ticks == 2) {
            secondTick = loop.nowMs();
        }
        --depth;
    };
    timer.setInterval(100);
    timer.setEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return ticks >= 2; }));
    timer.setEnabled(false);
    EXPECT_EQ(maxDepth, 1);
    // The tick that fell due during the wait comes right after it, not at
    // the next interval (70 ms later).
    EXPECT_LT(secondTick - firstReturn, 35);
}

TEST(QtLoopQuit, AfterQuitNothingRunsAndWaitsReturnAtOnce) {
    qtview::QtEventLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app(loop, dialogs);
    forms::Form form(app, "frmEnd");
    auto& timer = form.add<forms::Timer>("timer1");
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.setInterval(5);
    timer.setEnabled(true);
    bool posted = false;
    loop.post([&] { posted = true; });

    app.end();
    EXPECT_TRUE(loop.quitting());
    EXPECT_EQ(loop.runningTimerCount(), 0);
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < 10; ++i)
        loop.waitEvents();
    EXPECT_LT(wall.elapsed(), 100);
    QCoreApplication::processEvents();
    EXPECT_FALSE(posted);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
