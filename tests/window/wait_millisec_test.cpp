// The cooperative delay and the main window's timers.

#include <gtest/gtest.h>

#include <memory>

#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"
#include "window/frm_main.h"

using namespace morva;

struct MainWindowTest : ::testing::Test {
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w = std::make_unique<FrmMain>(app);
};

TEST_F(MainWindowTest, TheSixTimersStartDisabledWithTheirIntervals) {
    EXPECT_EQ(w->timer1.interval(), 750);
    EXPECT_EQ(w->timer_Wait.interval(), 500);
    EXPECT_EQ(w->timer_PeakHold.interval(), 1000);
    for (forms::Timer* t : {&w->timer1, &w->Daq_Wait_Timer, &w->timer_Wait, &w->timer_SendPLAYcommand,
                            &w->timer_chk_AD_TRG, &w->timer_PeakHold})
        EXPECT_FALSE(t->enabled()) << t->name();
}

TEST_F(MainWindowTest, WaitMillisecInsideAHandlerLetsOtherEventsRunInTimeOrder) {
    std::vector<std::string> order;
    auto& start = w->cmd_StartFunction(11);
    auto& other = w->cmd_StartFunction(12);
    w->timer1.Tick = [&] {
        order.push_back("timer1@" + std::to_string(loop.nowMs()));
        w->timer1.setEnabled(false);
    };
    other.Click = [&] { order.push_back("click12@" + std::to_string(loop.nowMs())); };
    start.Click = [&] {
        order.push_back("start@" + std::to_string(loop.nowMs()));
        Wait_Millisec(*w, 50);
        order.push_back("waited@" + std::to_string(loop.nowMs()));
    };
    w->timer1.setEnabled(true);  // due at 750
    loop.at(
        10, [&] { start.userClick(); }, "click 11");
    loop.at(
        30, [&] { other.userClick(); }, "click 12");
    loop.runUntil(1000);
    EXPECT_EQ(order, (std::vector<std::string>{"start@10", "click12@30", "waited@60", "timer1@750"}));
    EXPECT_FALSE(w->Daq_Wait_Timer.enabled());
    EXPECT_EQ(w->st.flags.flg_DaqWaitElapsed, 0);
}

TEST_F(MainWindowTest, NestedWaitsEachEndAtTheirOwnTime) {
    // A second Wait_Millisec started from a click during the first shares the
    // timer; the outer wait ends when the inner one has, never earlier.
    std::vector<std::string> order;
    auto& a = w->cmd_StartFunction(21);
    auto& b = w->cmd_StartFunction(22);
    a.Click = [&] {
        Wait_Millisec(*w, 100);
        order.push_back("a@" + std::to_string(loop.nowMs()));
    };
    b.Click = [&] {
        Wait_Millisec(*w, 30);
        order.push_back("b@" + std::to_string(loop.nowMs()));
    };
    loop.at(0, [&] { a.userClick(); });
    loop.at(20, [&] { b.userClick(); });
    loop.runUntil(500);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "b@50");
    EXPECT_EQ(order[1], "a@100");
}

TEST_F(MainWindowTest, AZeroWaitDoesNotHang) {
    Wait_Millisec(*w, 0);
    EXPECT_EQ(loop.nowMs(), 0);
    EXPECT_FALSE(w->Daq_Wait_Timer.enabled());
}
