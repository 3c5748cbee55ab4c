#pragma once
// A fresh main window on the deterministic loop with a scripted serial
// port as ComBox and the remote-control handlers wired.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/scripted_dialogs.h"
#include "forms/scripted_serial_port.h"
#include "forms/test_loop.h"
#include "io/remote_control.h"
#include "window/frm_main.h"

namespace morva::test {

inline const std::string kAck = "\x06";
inline const std::string kStx = "\x02";
inline const std::string kEtx = "\x03";

class SerialTest : public ::testing::Test {
  protected:
    SerialTest() {
        auto scripted = std::make_unique<forms::ScriptedSerialPort>(loop, "/dev/ttyUSB7");
        port = scripted.get();
        w->serial.ComBox = std::move(scripted);
        Wire_RemoteControl(*w);
    }

    // The virtual times of the writes of `command`.
    std::vector<int64_t> timesOf(const std::string& command) const {
        std::vector<int64_t> times;
        for (const auto& write : port->writes())
            if (write.bytes == kStx + command + kEtx) times.push_back(write.atMs);
        return times;
    }

    // Prompts of the message boxes shown so far.
    std::vector<std::string> boxes() const { return dialogs.prompts(); }

    forms::TestLoop loop;
    forms::ScriptedDialogs dialogs;
    forms::Application app{loop, dialogs};
    std::unique_ptr<FrmMain> w = std::make_unique<FrmMain>(app);
    forms::ScriptedSerialPort* port = nullptr;
};

}  // namespace morva::test
