// Measures the processor time of a pending wait on the production loop:
// `while (!flag) loop.waitEvents();` with a forms timer setting the flag
// after N seconds (10 by default).
//
// With --window, a form with a focused text box is on screen meanwhile
// (its blinking cursor wakes the loop twice a second).
//
//   QT_QPA_PLATFORM=offscreen qt_wait_cpu [seconds] [--window]

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include <cstring>

#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/scripted_dialogs.h"
#include "forms/timer.h"
#include "qt/qt_event_loop.h"
#include "qt/qt_form_view.h"

namespace {
double cpuSeconds(double& user, double& sys) {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    user = static_cast<double>(u.ru_utime.tv_sec) + static_cast<double>(u.ru_utime.tv_usec) / 1e6;
    sys = static_cast<double>(u.ru_stime.tv_sec) + static_cast<double>(u.ru_stime.tv_usec) / 1e6;
    return user + sys;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int seconds = 10;
    bool window = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0)
            window = true;
        else
            seconds = std::atoi(argv[i]);
    }
    if (seconds <= 0 || seconds > 3600) seconds = 10;

    qtview::QtEventLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application application(loop, dialogs);
    forms::Form form(application, "frmWait");
    auto& timer = form.add<forms::Timer>("Daq_Wait_Timer");
    bool flag = false;
    timer.Tick = [&] {
        flag = true;
        timer.setEnabled(false);
    };
    timer.setInterval(seconds * 1000);
    timer.setEnabled(true);

    qtview::QtFormView view(application);
    if (window) {
        auto& text = form.add<forms::TextBox>("txt_Input");
        text.move(120, 120, 2400, 315);
        form.show();
        text.setFocus();
        loop.doEvents();
    }

    double u0 = 0, s0 = 0, u1 = 0, s1 = 0;
    cpuSeconds(u0, s0);
    QElapsedTimer wall;
    wall.start();
    long returns = 0;
    while (!flag) {
        loop.waitEvents();
        ++returns;
    }
    const double elapsed = wall.elapsed() / 1000.0;
    cpuSeconds(u1, s1);
    const double cpu = (u1 - u0) + (s1 - s0);
    std::printf(
        "wall %.3f s, cpu %.4f s (user %.4f, system %.4f), %.3f %% of wall, %ld returns from waitEvents\n",
        elapsed, cpu, u1 - u0, s1 - s0, 100.0 * cpu / elapsed, returns);
    return 0;
}
