#pragma once
// An application on the production loop with scripted boxes, its forms
// drawn by a QtFormView; helpers that let the loop run what Qt posted.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>

#include "forms/application.h"
#include "forms/form.h"
#include "forms/scripted_dialogs.h"
#include "qt/qt_event_loop.h"
#include "qt/qt_form_view.h"

// Where the Qt tests save their screenshots for a person to look at:
// "<build>/screenshots" (MORVA_TEST_PROGRAM_FOLDER is "<build>/bin/"),
// made when missing.
inline std::filesystem::path screenshotFolder() {
    const std::filesystem::path folder =
        std::filesystem::path(MORVA_TEST_PROGRAM_FOLDER).parent_path().parent_path() / "screenshots";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

struct QtFormsTest : ::testing::Test {
    qtview::QtEventLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<qtview::QtFormView> view = std::make_unique<qtview::QtFormView>(app);

    // Runs what the widgets posted (and what that posted in turn).
    void settle() {
        for (int i = 0; i < 5; ++i)
            loop.doEvents();
    }

    // Waits on the loop until `done` holds; false when `limitMs` passes
    // first (a watchdog timer ends the wait instead of hanging the test).
    bool waitUntil(const std::function<bool()>& done, int limitMs = 5000) {
        bool expired = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.setTimerType(Qt::PreciseTimer);
        QObject::connect(&watchdog, &QTimer::timeout, [&] { expired = true; });
        watchdog.start(limitMs);
        while (!done() && !expired)
            loop.waitEvents();
        return done();
    }
};
