// The deterministic loop: virtual time, timers, scripted actions, nested
// waits and re-entrant handlers, and the guards that turn a hang into a
// failure.

#include <atomic>
#include <thread>

#include "fixture.h"
#include "forms/controls.h"
#include "forms/timer.h"

using namespace forms;

using TestLoopTest = FormsTest;

TEST_F(TestLoopTest, TimersTickInVirtualTimeOnlyWhileEnabled) {
    auto& t = form.add<Timer>("timer_PeakHold");
    int ticks = 0;
    t.Tick = [&] { ++ticks; };
    t.setInterval(1000);
    loop.runUntil(5000);
    EXPECT_EQ(ticks, 0) << "timers start disabled";
    t.setEnabled(true);  // counts from t=5000
    loop.runUntil(8500);
    EXPECT_EQ(ticks, 3);
    t.setEnabled(false);
    loop.runUntil(20000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(loop.nowMs(), 20000);
}

TEST_F(TestLoopTest, ChangingTheIntervalRestartsTheCount) {
    auto& t = form.add<Timer>("timer_Wait");
    std::vector<int64_t> at;
    t.Tick = [&] { at.push_back(loop.nowMs()); };
    t.setInterval(500);
    t.setEnabled(true);
    loop.runUntil(700);   // tick at 500
    t.setInterval(1000);  // restarts at 700
    loop.runUntil(2000);
    EXPECT_EQ(at, (std::vector<int64_t>{500, 1700}));
}

TEST_F(TestLoopTest, WaitJumpsToTheEarliestOfTimersAndActionsInOrder) {
    auto& slow = form.add<Timer>("timer1");
    auto& fast = form.add<Timer>("Daq_Wait_Timer");
    slow.setInterval(750);
    fast.setInterval(50);
    std::vector<std::string> order;
    slow.Tick = [&] { order.push_back("slow@" + std::to_string(loop.nowMs())); };
    fast.Tick = [&] {
        order.push_back("fast@" + std::to_string(loop.nowMs()));
        fast.setEnabled(false);
    };
    loop.at(
        20, [&] { order.push_back("click@20"); }, "click");
    slow.setEnabled(true);
    fast.setEnabled(true);
    loop.waitEvents();
    loop.waitEvents();
    loop.waitEvents();
    EXPECT_EQ(order, (std::vector<std::string>{"click@20", "fast@50", "slow@750"}));
}

TEST_F(TestLoopTest, ATimerDoesNotReenterItsOwnHandler) {
    auto& t = form.add<Timer>("timer_chk_AD_TRG");
    t.setInterval(100);
    int depth = 0, maxDepth = 0, ticks = 0;
    bool released = false;
    loop.at(
        1000, [&] { released = true; }, "release");
    t.Tick = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1)
            while (!released)
                loop.waitEvents();  // waits past several intervals
        --depth;
    };
    t.setEnabled(true);
    loop.runUntil(1250);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(ticks, 2) << "ticks resume after the handler returns";
}

// Timers due at the same virtual moment fire in the order they were started
// (a scripted action scheduled earlier goes first), and keep that order.
TEST_F(TestLoopTest, TimersDueAtTheSameMomentFireInTheOrderTheyWereStarted) {
    auto& a = form.add<Timer>("timer_PeakHold");
    auto& b = form.add<Timer>("timer_SendPLAYcommand");
    std::vector<std::string> order;
    a.Tick = [&] { order.push_back("a@" + std::to_string(loop.nowMs())); };
    b.Tick = [&] { order.push_back("b@" + std::to_string(loop.nowMs())); };
    a.setInterval(100);
    b.setInterval(100);
    loop.at(
        100, [&] { order.push_back("click@100"); }, "click");
    b.setEnabled(true);
    a.setEnabled(true);
    loop.runUntil(200);
    EXPECT_EQ(order, (std::vector<std::string>{"click@100", "b@100", "a@100", "b@200", "a@200"}));

    // Restarting b puts it behind a at their next common moment.
    order.clear();
    b.setEnabled(false);
    b.setEnabled(true);
    loop.runUntil(300);
    EXPECT_EQ(order, (std::vector<std::string>{"a@300", "b@300"}));
}

// A tick that falls due while the timer's own handler waits is not lost: it
// fires as soon as the handler returns (once, however many intervals passed),
// and the count goes on from there.
TEST_F(TestLoopTest, ATickDueWhileItsHandlerWaitsFiresWhenTheHandlerReturns) {
    auto& t = form.add<Timer>("timer_chk_AD_TRG");
    t.setInterval(100);
    std::vector<int64_t> ticks;
    bool released = false;
    loop.at(
        1000, [&] { released = true; }, "release");
    t.Tick = [&] {
        ticks.push_back(loop.nowMs());
        if (ticks.size() == 1)
            while (!released)
                loop.waitEvents();
    };
    t.setEnabled(true);
    loop.runUntil(1250);
    EXPECT_EQ(ticks, (std::vector<int64_t>{100, 1000, 1100, 1200}));
}

TEST_F(TestLoopTest, ReentrantClickDuringALoopThatCallsDoEventsStopsIt) {
    auto& cmd = form.add<CommandButton>("cmd_StartFunction", 11);
    bool running = false;
    int passes = 0, clicks = 0;
    cmd.Click = [&] {
        ++clicks;
        if (running) {  // the second click only clears the flag
            running = false;
            return;
        }
        running = true;
        while (running) {
            ++passes;
            loop.doEvents();
        }
    };
    loop.setDoEventsCost(10);  // each pass costs 10 virtual ms
    loop.at(
        0, [&] { cmd.userClick(); }, "first click");
    loop.at(
        255, [&] { cmd.userClick(); }, "second click");
    loop.runUntil(1000);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(running);
    EXPECT_EQ(passes, 26) << "passes at t=10..260, the click arrives on the pass at 260";
}

TEST_F(TestLoopTest, AWaitThatCanNeverEndFailsWithAClearMessage) {
    bool flag = false;
    try {
        while (!flag)
            loop.waitEvents();
        FAIL() << "the wait should not have ended";
    } catch (const WaitNeverEnds& e) {
        EXPECT_NE(std::string(e.what()).find("can never end"), std::string::npos) << e.what();
    }
}

TEST_F(TestLoopTest, AWaitPastTheTimeLimitFails) {
    auto& t = form.add<Timer>("timer_Wait");
    t.setInterval(500);
    t.setEnabled(true);  // ticks forever but never sets the flag
    loop.setTimeLimit(10000);
    bool flag = false;
    EXPECT_THROW(
        {
            while (!flag)
                loop.waitEvents();
        },
        WaitNeverEnds);
    EXPECT_LE(loop.nowMs(), 10000);
}

TEST_F(TestLoopTest, ALoopSpinningWithoutTimeFails) {
    loop.setSpinLimit(1000);
    bool flag = false;
    EXPECT_THROW(
        {
            while (!flag)
                loop.doEvents();
        },
        WaitNeverEnds);
}

TEST_F(TestLoopTest, PostedEventsRunInOrderBeforeTimers) {
    auto& t = form.add<Timer>("timer1");
    std::vector<std::string> order;
    t.Tick = [&] { order.push_back("tick"); };
    t.setInterval(10);
    t.setEnabled(true);
    loop.runUntil(10 - 1);
    loop.post([&] { order.push_back("a"); });
    loop.post([&] { order.push_back("b"); });
    loop.runUntil(10);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "tick"}));
}

TEST_F(TestLoopTest, AWakeFromAnotherThreadEndsAnExternalWait) {
    loop.allowExternalWakes(5000);
    std::atomic<bool> done{false};
    std::thread driver([&] {
        done = true;
        loop.wake();
    });
    while (!done)
        loop.waitEvents();
    driver.join();
    EXPECT_GE(loop.wakeCount(), 1);
    EXPECT_EQ(loop.nowMs(), 0) << "virtual time did not move";
}

TEST_F(TestLoopTest, EndStopsEveryFurtherEvent) {
    auto& t = form.add<Timer>("timer1");
    int ticks = 0;
    t.Tick = [&] { ++ticks; };
    t.setInterval(10);
    t.setEnabled(true);
    form.show();
    app.end();
    loop.runUntil(100);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(app.ended());
}
