#pragma once
// A fresh application on the deterministic loop with scripted boxes.

#include <gtest/gtest.h>

#include "forms/application.h"
#include "forms/form.h"
#include "forms/scripted_dialogs.h"
#include "forms/test_loop.h"

struct FormsTest : ::testing::Test {
    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    forms::Form form{app, "frmTest"};
};
